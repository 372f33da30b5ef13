// What a WAVE file says of itself before its audio is read: whether it is one
// at all, how much audio it holds and the tags it carries.
#pragma once

#include <cstdint>
#include <string>

namespace wendle {

// The program's Shift-JIS bytes, exact; a character the code page cannot
// write is 〓. Empty means the file has no such tag.
struct WaveTags {
    std::string title, artist, album, comment, date, genre, track;
};

struct WaveFile {
    // RIFF or RF64 with the form type WAVE, by the first 12 bytes.
    bool isWave = false;
    // The data chunk's size (from ds64 in an RF64 file), at most what the
    // file holds after the chunk's header; 0 when there is no data chunk.
    std::uint64_t audioSize = 0;
    WaveTags tags;
};

}  // namespace wendle
