// What a WAVE file says of itself: whether it is one, how much audio it
// holds, and the tags it carries, in Shift-JIS exactly (empty = none).
#pragma once

#include <cstdint>
#include <string>

namespace wendle {

struct WaveTags {
    std::string title, artist, album, comment, date, genre, track;
};

struct WaveFile {
    bool isWave = false;
    std::uint64_t audioSize = 0;
    WaveTags tags;
};

}  // namespace wendle
