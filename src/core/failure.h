// The two failures that handlers raise and catch.
#pragma once

#include <cstdint>

namespace wendle {

// A refused change of the current directory, with the system's error code.
struct IoFailure {
    std::uint32_t code;
};

// Leaves a handler's checks; the handler's own trap shows its message slot.
struct SilentAbort {};

}  // namespace wendle
