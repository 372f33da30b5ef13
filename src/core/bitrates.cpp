#include "core/bitrates.h"

namespace wendle {

const Bitrate kBitrates[] = {
    {" 128 kbps", " -b128", false}, {" 160 kbps ( Default )", " -b160", true},
    {" 192 kbps", " -b192", false}, {" 256 kbps", " -b256", false},
    {" 350 kbps", " -b350", false},
};
const std::size_t kBitrateCount = sizeof kBitrates / sizeof kBitrates[0];

int DefaultBitrateIndex() {
    for (std::size_t i = 0; i < kBitrateCount; ++i) {
        if (kBitrates[i].isDefault) return static_cast<int>(i);
    }
    return 0;
}

const Bitrate& BitrateAt(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= kBitrateCount) {
        return kBitrates[DefaultBitrateIndex()];
    }
    return kBitrates[index];
}

}  // namespace wendle
