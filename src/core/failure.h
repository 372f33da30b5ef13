// The failures that handlers raise and catch.
#pragma once

#include <cstdint>
#include <string>

namespace wendle {

// A failure the fallback box shows with its text. Not std::runtime_error:
// that links the runtime's old string and its exceptions, about 10 KiB of
// the shipped program.
struct Failure {
    std::string text;
};

// A refused change of the current directory, with the system's error code.
struct IoFailure {
    std::uint32_t code;
};

}  // namespace wendle
