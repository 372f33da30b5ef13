#include "core/id3_tag.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/bytes.h"
#include "common/iconv_conversions.h"
#include "common/tag_bytes.h"

namespace wendle {
namespace {

using bench::BigEndian;
using bench::Syncsafe;

std::string Frame(int version, const std::string& id, const std::string& data, char format = 0) {
    if (version == 2) return id + BigEndian(static_cast<std::uint32_t>(data.size()), 3) + data;
    const std::uint32_t size = static_cast<std::uint32_t>(data.size());
    return id + (version == 3 ? BigEndian(size, 4) : Syncsafe(size)) + '\0' + format + data;
}

std::string Tag(int version, const std::string& body, char flags = 0) {
    return "ID3" + std::string{static_cast<char>(version), '\0', flags} +
           Syncsafe(static_cast<std::uint32_t>(body.size())) + body;
}

// The fields in order: title, artist, album, comment, date, genre, track.
std::vector<std::string> Read(const std::string& tag) {
    FoundTags found;
    ReadId3Tag(tag, &found);
    std::vector<std::string> fields;
    for (int f = 0; f < kTagFieldCount; ++f) {
        fields.push_back(found.rank[f] ? DecodeTagText(found.text[f], bench::kIconvConversions)
                                       : "");
    }
    return fields;
}

const std::string kLatin = std::string(1, '\0');
const std::vector<std::string> kAll = {"T", "A", "L", "C", "2004", "(17)", "3"};

TEST(Id3Tag, VersionsTwoToFourReadTheSameTags) {
    const char* ids[3][7] = {{"TT2", "TP1", "TAL", "COM", "TYE", "TCO", "TRK"},
                             {"TIT2", "TPE1", "TALB", "COMM", "TYER", "TCON", "TRCK"},
                             {"TIT2", "TPE1", "TALB", "COMM", "TDRC", "TCON", "TRCK"}};
    for (int version = 2; version <= 4; ++version) {
        SCOPED_TRACE(version);
        std::string body;
        for (int f = 0; f < kTagFieldCount; ++f) {
            const std::string lang = f == kComment ? std::string("jpn\0", 4) : "";
            body += Frame(version, ids[version - 2][f], kLatin + lang + kAll[f]);
        }
        EXPECT_EQ(kAll, Read(Tag(version, body + std::string(20, '\0'))));  // padding
    }
}

TEST(Id3Tag, UnsynchronisationExtendedHeadersAndFrameFlags) {
    // UTF-16 with its BOM FF FE, which unsynchronisation writes FF 00 FE.
    const std::string title(
        "\x01\xFF\xFE"
        "T\0",
        5),
        unsynced(
            "\x01\xFF\x00\xFE"
            "T\0",
            6);
    // 2.3: the whole tag, its frame sizes counted before; a 6-byte extended header.
    std::string body = BigEndian(6, 4) + std::string(6, '\0') + Frame(3, "TIT2", title);
    body.replace(body.find(title), title.size(), unsynced);
    EXPECT_EQ("T", Read(Tag(3, body, '\x80' | 0x40))[kTitle]);
    // 2.4: each frame, sizes as stored; group id and data length before the text.
    body = Syncsafe(6) + std::string("\x01\0", 2) +
           Frame(4, "TIT2", "G" + Syncsafe(5) + unsynced, 0x40 | 0x02 | 0x01) +
           Frame(4, "TPE1", unsynced);
    EXPECT_EQ("T", Read(Tag(4, body, 0x40))[kTitle]);
    EXPECT_EQ("T", Read(Tag(4, body, '\x80' | 0x40))[kArtist]);  // the tag's flag: every frame
}

TEST(Id3Tag, FramesItCannotOrNeedNotReadArePassedOver) {
    const std::string body = Frame(3, "TIT2", kLatin + "zipped", '\x80') +
                             Frame(3, "TPE1", kLatin + "secret", 0x40) +
                             Frame(3, "TXXX", kLatin + "x") +
                             Frame(3, "TALB",
                                   "\x04"
                                   "odd encoding") +
                             Frame(3, "COMM", kLatin + "jpn" + "iTunNORM" + kLatin + "0000") +
                             Frame(3, "COMM", std::string("\x01jpn\xFF\xFE\0\0C\0", 10)) +
                             Frame(3, "TIT2", kLatin + "T") + Frame(4, "TPE1", kLatin + "A");
    EXPECT_EQ((std::vector<std::string>{"T", "A", "", "C", "", "", ""}), Read(Tag(3, body)));
    const std::string v4 = Frame(4, "TIT2", kLatin + "z", 0x08) +
                           Frame(4, "TPE1", kLatin + "e", 0x04) +
                           Frame(4, "TYER", kLatin + "2003") + Frame(4, "TDRC", kLatin + "2004");
    EXPECT_EQ((std::vector<std::string>{"", "", "", "", "2004", "", ""}), Read(Tag(4, v4)));
}

TEST(Id3Tag, AMalformedPieceEndsTheWalkAndWhatCameBeforeStands) {
    const std::string title = Frame(4, "TIT2", kLatin + "T");
    const std::string truncated = Frame(4, "TPE1", kLatin + "A").substr(0, 11);
    EXPECT_EQ("T", Read(Tag(4, title + truncated))[kTitle]);
    // A size past the tag, a size that is not syncsafe, an id that is no id.
    for (const std::string& bad :
         {std::string("TPE1\0\0\x01\0\0\0", 10), std::string("TPE1\0\0\0\x81\0\0", 10) + "\0A",
          std::string("tpe1\0\0\0\x02\0\0", 10) + kLatin + "A"}) {
        SCOPED_TRACE(bench::Hex(bad));
        const std::vector<std::string> read = Read(Tag(4, title + bad + title));
        EXPECT_EQ("T", read[kTitle]);
        EXPECT_EQ("", read[kArtist]);
    }
    // Headers that are not ID3v2 as written: nothing at all.
    for (std::string bad : {Tag(5, title), Tag(2, title, 0x40), Tag(4, Syncsafe(99) + title, 0x40),
                            "ID3\x04\xFF" + Tag(4, title).substr(5), Tag(4, title).substr(0, 9)}) {
        SCOPED_TRACE(bench::Hex(bad.substr(0, 10)));
        EXPECT_EQ("", Read(bad)[kTitle]);
    }
    std::string size = Tag(4, title);
    size[6] = '\x80';
    EXPECT_EQ("", Read(size)[kTitle]);
}

TEST(Id3Tag, GenreReferencesOfId3v1AreNamed) {
    struct Row {
        const char* written;
        const char* name;
    } rows[] = {{"(17)", "Rock"},       {"17", "Rock"},
                {"(0)", "Blues"},       {"(79)", "Hard Rock"},
                {"(80)", "(80)"},       {"(17)(6)", "Rock"},
                {"(17)Indie", "Indie"}, {"((17))", "(17))"},
                {"(RX)", "Remix"},      {"CR", "Cover"},
                {"J-Pop", "J-Pop"},     {"(17", "(17"},
                {"0017", "0017"},       {"", ""}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.written);
        EXPECT_EQ(row.name, Id3GenreName(row.written));
    }
}

}  // namespace
}  // namespace wendle
