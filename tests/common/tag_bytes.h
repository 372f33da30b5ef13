// The numbers of hand-made WAVE and ID3 bytes, as their writers put them.
#pragma once

#include <cstdint>
#include <string>

namespace bench {

// RIFF sizes: low byte first; past 8 bytes, zeros.
inline std::string LittleEndian(std::uint64_t n, int count = 4) {
    std::string out;
    for (int i = 0; i < count; ++i) out.push_back(static_cast<char>(i < 8 ? n >> (8 * i) : 0));
    return out;
}

// ID3v2.2 and 2.3 frame sizes.
inline std::string BigEndian(std::uint64_t n, int count) {
    std::string out;
    while (count-- > 0) out.push_back(static_cast<char>(n >> (8 * count)));
    return out;
}

// ID3v2 tag sizes and 2.4 frame sizes: seven bits a byte.
inline std::string Syncsafe(std::uint32_t n) {
    return {static_cast<char>(n >> 21 & 0x7F), static_cast<char>(n >> 14 & 0x7F),
            static_cast<char>(n >> 7 & 0x7F), static_cast<char>(n & 0x7F)};
}

}  // namespace bench
