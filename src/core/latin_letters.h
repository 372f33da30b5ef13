// The case of the 26 Latin letters, the one case rule that reads the same in
// every code page: drive letters, device names, and the double-byte walk of
// PathRules, which leaves a trail byte (0x61 to 0x7A among them) alone.
#pragma once

namespace wendle {

constexpr bool IsLatinLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

constexpr char LowerLatin(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr char UpperLatin(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace wendle
