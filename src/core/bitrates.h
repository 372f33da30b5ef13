// The bit rates the user can pick: one row each, in the list's order.
#pragma once

#include <cstddef>

namespace wendle {

struct Bitrate {
    const char* label;   // the list item as shown
    const char* option;  // the encoder's option piece
    bool isDefault;
};

extern const Bitrate kBitrates[];
extern const std::size_t kBitrateCount;

// The row picked for an index outside the list (no selection): the default.
const Bitrate& BitrateAt(int index);
int DefaultBitrateIndex();

}  // namespace wendle
