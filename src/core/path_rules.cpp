#include "core/path_rules.h"

#include "core/latin_letters.h"

namespace wendle {

namespace {

unsigned char ByteAt(const std::string& text, std::size_t position) {
    return static_cast<unsigned char>(text[position - 1]);
}

// Walks characters from the start; a lead byte takes the next byte with it,
// even a zero, and a lead byte at the end stands alone.
std::string MapLatinLetters(const std::string& text, const PathRules& rules, bool upper) {
    std::string result = text;
    for (std::size_t i = 0; i < result.size(); i = rules.NextCharacter(result, i)) {
        result[i] = upper ? UpperLatin(result[i]) : LowerLatin(result[i]);
    }
    return result;
}

}  // namespace

PathRules PathRules::FromSystem(bool doubleByteSystem, const unsigned char (&ranges)[12]) {
    PathRules rules;
    rules.doubleByte_ = doubleByteSystem;
    if (!doubleByteSystem) return rules;
    for (std::size_t pair = 0; pair < 6; ++pair) {
        unsigned first = ranges[2 * pair];
        unsigned last = ranges[2 * pair + 1];
        if (first == 0 && last == 0) break;
        for (unsigned b = first; b <= last; ++b) rules.leadBytes_.set(b);
    }
    return rules;
}

ByteKind PathRules::KindAt(const std::string& text, std::size_t position) const {
    if (!doubleByte_) return ByteKind::Single;
    // The text is read as if a zero byte followed it; beyond that, and before
    // the start, there is nothing to be but single.
    if (position == 0 || position > text.size()) return ByteKind::Single;
    unsigned char b = ByteAt(text, position);
    if (b == 0) return ByteKind::Single;
    std::size_t leadsBefore = 0;
    for (std::size_t p = position - 1; p >= 1 && IsLeadByte(ByteAt(text, p)); --p) {
        ++leadsBefore;
    }
    // A byte outside the set ends a character, so the run before this byte
    // is whole pairs plus, when it is odd, this byte's own lead byte.
    if (leadsBefore % 2 == 1) return ByteKind::Trail;
    return IsLeadByte(b) ? ByteKind::Lead : ByteKind::Single;
}

std::size_t PathRules::LastDelimiter(const std::string& delimiters, const std::string& text) const {
    std::size_t p = text.size();
    while (p > 0) {
        unsigned char b = ByteAt(text, p);
        if (b != 0 && delimiters.find(static_cast<char>(b)) != std::string::npos) {
            if (KindAt(text, p) != ByteKind::Trail) return p;
            --p;  // step over the character's lead byte as well
        }
        --p;
    }
    return 0;
}

bool PathRules::EndsInBackslash(const std::string& text) const {
    return LastDelimiter("\\", text) == text.size();
}

std::string PathRules::ExtractPath(const std::string& path) const {
    return path.substr(0, LastDelimiter("\\:", path));
}

std::string PathRules::ExtractName(const std::string& path) const {
    return path.substr(LastDelimiter("\\:", path));
}

std::string PathRules::ExtractDirectory(const std::string& path) const {
    std::size_t p = LastDelimiter("\\:", path);
    if (p > 1 && ByteAt(path, p) == '\\') {
        unsigned char before = ByteAt(path, p - 1);
        // A root or a doubled backslash keeps its backslash; a trail byte 0x5C
        // is part of a name, so the backslash after it goes.
        bool keeps = (before == ':' || before == '\\') && KindAt(path, p - 1) == ByteKind::Single;
        if (!keeps) return path.substr(0, p - 1);
    }
    return path.substr(0, p);
}

std::string PathRules::ChangeExtension(const std::string& path,
                                       const std::string& extension) const {
    std::size_t p = LastDelimiter(".\\:", path);
    if (p == 0 || ByteAt(path, p) != '.') return path + extension;
    return path.substr(0, p - 1) + extension;
}

std::string PathRules::LowerCaseDoubleByte(const std::string& text) const {
    return MapLatinLetters(text, *this, false);
}

std::string PathRules::UpperCaseDoubleByte(const std::string& text) const {
    return MapLatinLetters(text, *this, true);
}

}  // namespace wendle
