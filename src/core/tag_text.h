// A tag's text as the file wrote it, and the rule that makes it the
// program's Shift-JIS: the encoding as written, never a look-alike.
#pragma once

#include <string>

#include "core/wide_names.h"

namespace wendle {

enum class TagEncoding {
    // RIFF INFO text and ID3's "ISO-8859-1": UTF-8 where the bytes are valid
    // UTF-8 with a byte of 0x80 or more, else the code page.
    CodePage,
    Utf16WithBom,  // little-endian when the BOM is missing
    Utf16BigEndian,
    Utf8,
};

struct TagText {
    TagEncoding encoding = TagEncoding::CodePage;
    unsigned codePage = 932;
    std::string bytes;
};

// The system's conversions: a code page's bytes to UTF-16, false when any of
// them is no character there; UTF-16 to the program's exact bytes.
using CodePageToWide = bool (*)(unsigned codePage, const std::string& bytes, std::u16string* wide);
struct TextConversions {
    CodePageToWide toWide;
    ExactConversion toProgram;
};

enum TagField { kTitle, kArtist, kAlbum, kComment, kDate, kGenre, kTrack, kTagFieldCount };

// The texts one source of tags holds, by field. A field takes the first text
// of the highest rank offered (ID3's TDRC before TYER, INFO's ITRK before IPRT).
struct FoundTags {
    TagText text[kTagFieldCount];
    int rank[kTagFieldCount] = {};  // 0: none

    void Offer(TagField field, const TagText& value, int valueRank = 2) {
        if (valueRank <= rank[field]) return;
        text[field] = value;
        rank[field] = valueRank;
    }
};

// The value up to its first NUL, a run of control characters as one blank,
// without trailing blanks; each character the program cannot write as 〓.
std::string DecodeTagText(const TagText& text, const TextConversions& conversions);

}  // namespace wendle
