// Byte strings in assertion messages: Shift-JIS text is compared and shown as hex.
#pragma once

#include <cstdio>
#include <string>

namespace bench {

inline std::string Hex(const std::string& bytes) {
    std::string out;
    char piece[4];
    for (unsigned char b : bytes) {
        std::snprintf(piece, sizeof piece, "%02X ", b);
        out += piece;
    }
    if (!out.empty()) out.pop_back();
    return out;
}

}  // namespace bench

#define EXPECT_BYTES(expected, actual) \
    EXPECT_EQ(bench::Hex(expected), bench::Hex(actual)) << "text: " << (actual)
