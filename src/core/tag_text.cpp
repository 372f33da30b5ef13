#include "core/tag_text.h"

namespace wendle {

namespace {

// 〓 (81 AC): the geta mark that Japanese text shows for a missing character.
const char kMissingCharacter[] = "\x81\xAC";
const char16_t kReplacementCharacter = 0xFFFD;  // no code page writes it: it becomes 〓

std::string UpToNul(const std::string& bytes) {
    return bytes.substr(0, bytes.find('\0'));
}

// One character of UTF-8 at bytes[i]: its code point and length, or 0 when
// the sequence is invalid, overlong, a surrogate or past U+10FFFF.
std::size_t Utf8Character(const std::string& bytes, std::size_t i, char32_t* code) {
    const unsigned char lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length;
    char32_t least;
    if (lead < 0x80) {
        *code = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, least = 0x80, *code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, least = 0x800, *code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, least = 0x10000, *code = lead & 0x07;
    } else {
        return 0;
    }
    if (bytes.size() - i < length) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
        if ((next & 0xC0) != 0x80) return 0;
        *code = (*code << 6) | (next & 0x3F);
    }
    if (*code < least || *code > 0x10FFFF || (*code >= 0xD800 && *code <= 0xDFFF)) return 0;
    return length;
}

void AppendCodePoint(char32_t code, std::u16string* wide) {
    if (code < 0x10000) {
        wide->push_back(static_cast<char16_t>(code));
    } else {
        code -= 0x10000;
        wide->push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
        wide->push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    }
}

// False at the first invalid sequence when strict; otherwise each invalid
// byte is a replacement character.
bool DecodeUtf8(const std::string& bytes, bool strict, std::u16string* wide) {
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t code;
        const std::size_t length = Utf8Character(bytes, i, &code);
        if (length == 0) {
            if (strict) return false;
            wide->push_back(kReplacementCharacter);
            ++i;
            continue;
        }
        AppendCodePoint(code, wide);
        i += length;
    }
    return true;
}

bool HasHighByte(const std::string& bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    }
    return false;
}

// Character by character where the whole text does not convert: a byte that
// starts no character of the code page is a replacement character.
std::u16string CodePageText(unsigned codePage, const std::string& bytes, CodePageToWide toWide) {
    std::u16string wide;
    if (toWide(codePage, bytes, &wide)) return wide;
    wide.clear();
    for (std::size_t i = 0; i < bytes.size();) {
        std::u16string one;
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            wide.push_back(static_cast<char16_t>(bytes[i++]));
        } else if (toWide(codePage, bytes.substr(i, 1), &one)) {
            wide += one, i += 1;
        } else if (i + 1 < bytes.size() && toWide(codePage, bytes.substr(i, 2), &one)) {
            wide += one, i += 2;
        } else {
            wide.push_back(kReplacementCharacter), i += 1;
        }
    }
    return wide;
}

std::u16string Utf16Text(const std::string& bytes, bool bigEndian, bool mayHaveBom) {
    std::size_t i = 0;
    if (mayHaveBom && bytes.size() >= 2) {
        const unsigned char b0 = static_cast<unsigned char>(bytes[0]);
        const unsigned char b1 = static_cast<unsigned char>(bytes[1]);
        if (b0 == 0xFE && b1 == 0xFF) bigEndian = true, i = 2;
        if (b0 == 0xFF && b1 == 0xFE) bigEndian = false, i = 2;
    }
    std::u16string wide;
    for (; i + 1 < bytes.size(); i += 2) {
        const unsigned char b0 = static_cast<unsigned char>(bytes[i]);
        const unsigned char b1 = static_cast<unsigned char>(bytes[i + 1]);
        const char16_t unit = static_cast<char16_t>(bigEndian ? b0 << 8 | b1 : b1 << 8 | b0);
        if (unit == 0) break;
        wide.push_back(unit);
    }
    return wide;
}

std::u16string WideText(const TagText& text, const TextConversions& conversions) {
    std::u16string wide;
    switch (text.encoding) {
        case TagEncoding::CodePage: {
            const std::string bytes = UpToNul(text.bytes);
            if (HasHighByte(bytes) && DecodeUtf8(bytes, true, &wide)) return wide;
            return CodePageText(text.codePage, bytes, conversions.toWide);
        }
        case TagEncoding::Utf8:
            DecodeUtf8(UpToNul(text.bytes), false, &wide);
            return wide;
        case TagEncoding::Utf16WithBom:
            return Utf16Text(text.bytes, false, true);
        case TagEncoding::Utf16BigEndian:
            return Utf16Text(text.bytes, true, false);
    }
    return wide;
}

bool IsControl(char16_t c) {
    return c < 0x20 || c == 0x7F;
}

// A leading byte-order mark goes, a run of control characters (a line break,
// a tab) is one blank, trailing blanks go.
std::u16string Tidy(const std::u16string& wide) {
    std::u16string out;
    std::size_t i = !wide.empty() && wide[0] == 0xFEFF ? 1 : 0;
    while (i < wide.size()) {
        if (IsControl(wide[i])) {
            out.push_back(u' ');
            while (i < wide.size() && IsControl(wide[i])) ++i;
        } else {
            out.push_back(wide[i++]);
        }
    }
    out.erase(out.find_last_not_of(u' ') + 1);
    return out;
}

}  // namespace

std::string DecodeTagText(const TagText& text, const TextConversions& conversions) {
    return NarrowWithReplacement(Tidy(WideText(text, conversions)), conversions.toProgram,
                                 kMissingCharacter);
}

}  // namespace wendle
