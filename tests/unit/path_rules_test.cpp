#include "core/path_rules.h"

#include <gtest/gtest.h>

#include "common/bytes.h"

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace wendle {
namespace {

using bench::Hex;

const unsigned char kCodePage932[12] = {0x81, 0x9F, 0xE0, 0xFC};

PathRules Japanese() {
    return PathRules::FromSystem(true, kCodePage932);
}

// The lead-byte set as hex, for readable comparisons.
std::string LeadBytes(const PathRules& rules) {
    std::string set;
    for (int b = 0; b < 256; ++b) {
        if (rules.IsLeadByte(static_cast<unsigned char>(b))) set += static_cast<char>(b);
    }
    return Hex(set);
}

std::string HexRange(int first, int last) {
    std::string bytes;
    for (int b = first; b <= last; ++b) bytes += static_cast<char>(b);
    return Hex(bytes);
}

// Characters whose trail byte is 0x5C, a backslash on its own.
const std::string kHyo = "\x95\x5C";  // 表
const std::string kSo = "\x83\x5C";   // ソ

struct PathRow {
    std::string path;
    std::string extractPath;
    std::string extractName;
    std::string extractDirectory;
    std::string toOgg;
    bool endsInBackslash;
};

void CheckRows(const PathRules& rules, const std::vector<PathRow>& rows) {
    for (const PathRow& row : rows) {
        SCOPED_TRACE("path " + Hex(row.path));
        EXPECT_BYTES(row.extractPath, rules.ExtractPath(row.path));
        EXPECT_BYTES(row.extractName, rules.ExtractName(row.path));
        EXPECT_BYTES(row.extractDirectory, rules.ExtractDirectory(row.path));
        EXPECT_BYTES(row.toOgg, rules.ChangeExtension(row.path, ".ogg"));
        EXPECT_EQ(row.endsInBackslash, rules.EndsInBackslash(row.path));
    }
}

TEST(PathRules, JapanesePathsNeverSplitOnTrailBytes) {
    const std::string d = "D:\\";
    CheckRows(
        Japanese(),
        {
            // path, extract path, name, directory, ".ogg", ends in "\"
            {"", "", "", "", ".ogg", true},
            {R"(C:\)", R"(C:\)", "", R"(C:\)", R"(C:\.ogg)", true},
            {R"(C:\Tools)", R"(C:\)", "Tools", R"(C:\)", R"(C:\Tools.ogg)", false},
            {R"(C:\Tools\)", R"(C:\Tools\)", "", R"(C:\Tools)", R"(C:\Tools\.ogg)", true},
            {d + kHyo, d, kHyo, d, d + kHyo + ".ogg", false},
            {d + kHyo + "\\a.wav", d + kHyo + "\\", "a.wav", d + kHyo, d + kHyo + "\\a.ogg", false},
            {d + kSo + "\\", d + kSo + "\\", "", d + kSo, d + kSo + "\\.ogg", true},
            {d + kHyo + kSo, d, kHyo + kSo, d, d + kHyo + kSo + ".ogg", false},
            // ぁ (82 9F): an even run of lead-set bytes, so the 5C after it is real.
            {d + "\x82\x9F\\a.wav", d + "\x82\x9F\\", "a.wav", d + "\x82\x9F",
             d + "\x82\x9F\\a.ogg", false},
            // ｿ (BF) is a single byte: the 5C after it is a backslash.
            {d + "\xBF\\", d + "\xBF\\", "", d + "\xBF", d + "\xBF\\.ogg", true},
            {"C:a.wav", "C:", "a.wav", "C:", "C:a.ogg", false},
            {"a.wav", "", "a.wav", "", "a.ogg", false},
            {R"(\a.wav)", R"(\)", "a.wav", R"(\)", R"(\a.ogg)", false},
            {R"(\\srv\share\x.wav)", R"(\\srv\share\)", "x.wav", R"(\\srv\share)",
             R"(\\srv\share\x.ogg)", false},
            {R"(C:\\x.wav)", R"(C:\\)", "x.wav", R"(C:\\)", R"(C:\\x.ogg)", false},
            {R"(C:\Music.old\track)", R"(C:\Music.old\)", "track", R"(C:\Music.old)",
             R"(C:\Music.old\track.ogg)", false},
            {"a.b.wav", "", "a.b.wav", "", "a.b.ogg", false},
            {".wav", "", ".wav", "", ".ogg", false},
            {"file.", "", "file.", "", "file.ogg", false},
        });
}

TEST(PathRules, SingleByteSystemTakesEvery5CForABackslash) {
    const std::string d = "D:\\";
    const std::vector<PathRow> rows = {
        {d + kHyo, d + kHyo, "", d + "\x95", d + kHyo + ".ogg", true},
        {d + kHyo + "\\a.wav", d + kHyo + "\\", "a.wav", d + kHyo + "\\", d + kHyo + "\\a.ogg",
         false},
        {d + kSo + "\\", d + kSo + "\\", "", d + kSo + "\\", d + kSo + "\\.ogg", true},
    };
    {
        SCOPED_TRACE("no double-byte support");
        CheckRows(PathRules(), rows);
    }
    {
        SCOPED_TRACE("double-byte flag without lead bytes");
        const unsigned char none[12] = {};
        CheckRows(PathRules::FromSystem(true, none), rows);
    }
}

TEST(PathRules, LeadByteAtTheEndIsNeitherRejectedNorRepaired) {
    const std::string d = "D:\\";
    CheckRows(Japanese(),
              {
                  {"\x95", "", "\x95", "", "\x95.ogg", false},
                  {d + "\x95", d, "\x95", d, d + "\x95.ogg", false},
                  {d + "a\x95", d, "a\x95", d, d + "a\x95.ogg", false},
                  // 81 81 81 5C: the 5C ends the pair opened by the third 81.
                  {"\x81\x81\x81\\", "", "\x81\x81\x81\\", "", "\x81\x81\x81\\.ogg", false},
              });
    EXPECT_BYTES("a\x95", Japanese().LowerCaseDoubleByte("A\x95"));
    EXPECT_BYTES("A\x95", Japanese().UpperCaseDoubleByte("a\x95"));
}

TEST(PathRules, FromSystemReadsLeadByteRanges) {
    EXPECT_EQ("", LeadBytes(PathRules()));
    EXPECT_FALSE(PathRules().DoubleByte());

    PathRules japanese = Japanese();
    EXPECT_TRUE(japanese.DoubleByte());
    EXPECT_EQ(HexRange(0x81, 0x9F) + " " + HexRange(0xE0, 0xFC), LeadBytes(japanese));

    const unsigned char afterStop[12] = {0x81, 0x82, 0, 0, 0xE0, 0xE1};
    EXPECT_EQ("81 82", LeadBytes(PathRules::FromSystem(true, afterStop)));

    const unsigned char backwards[12] = {0x90, 0x80, 0xA0, 0xA0};
    PathRules oneByte = PathRules::FromSystem(true, backwards);
    EXPECT_EQ("A0", LeadBytes(oneByte));

    // Six pairs and no terminator, the last reaching the top byte value.
    const unsigned char full[12] = {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 0xFE, 0xFF};
    EXPECT_EQ("01 02 03 04 05 FE FF", LeadBytes(PathRules::FromSystem(true, full)));

    PathRules off = PathRules::FromSystem(false, kCodePage932);
    EXPECT_FALSE(off.DoubleByte());
    EXPECT_EQ("", LeadBytes(off));
}

std::string Kinds(const PathRules& rules, const std::string& text) {
    std::string kinds;
    for (std::size_t p = 1; p <= text.size() + 1; ++p) {
        switch (rules.KindAt(text, p)) {
            case ByteKind::Single:
                kinds += 'S';
                break;
            case ByteKind::Lead:
                kinds += 'L';
                break;
            case ByteKind::Trail:
                kinds += 'T';
                break;
        }
    }
    return kinds;
}

TEST(PathRules, ByteKindCountsTheRunOfLeadBytesBefore) {
    // The position after the text reads the zero byte that follows it.
    EXPECT_EQ("LTSS", Kinds(Japanese(), "\x82\x9F\\"));       // ぁ\ .
    EXPECT_EQ("LTLTS", Kinds(Japanese(), "\x82\x9F\x95\\"));  // ぁ表
    EXPECT_EQ("SSSS", Kinds(PathRules(), "\x82\x9F\\"));
    EXPECT_EQ("S", Kinds(Japanese(), ""));
}

// Shift-JIS texts with the bytes that trip backward scans: trail bytes 0x5C,
// trail bytes that are also lead-byte values, half-width katakana.
class ShiftJisWriter {
  public:
    explicit ShiftJisWriter(unsigned seed) : random_(seed) {}

    // The text and the kind of each byte, read from the first byte on.
    std::string Text(std::string* kinds) {
        std::string text;
        int characters = Pick(0, 24);
        for (int c = 0; c < characters; ++c) {
            switch (Pick(0, 5)) {
                case 0:
                    Single(&text, kinds, "\\:.aZz"[Pick(0, 5)]);
                    break;
                case 1:
                    Single(&text, kinds, static_cast<char>(Pick(0x20, 0x7E)));
                    break;
                case 2:
                    Single(&text, kinds, static_cast<char>(Pick(0xA1, 0xDF)));
                    break;
                case 3:
                    Pair(&text, kinds, Lead(), '\x5C');
                    break;
                case 4:
                    Pair(&text, kinds, Lead(), Lead());
                    break;
                default:
                    Pair(&text, kinds, Lead(), AnyTrail());
                    break;
            }
        }
        return text;
    }

  private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    char Lead() { return static_cast<char>(Pick(0, 1) ? Pick(0x81, 0x9F) : Pick(0xE0, 0xFC)); }
    char AnyTrail() {
        int b = Pick(0x40, 0xFB);
        return static_cast<char>(b < 0x7F ? b : b + 1);  // 0x7F is never a trail byte
    }
    static void Single(std::string* text, std::string* kinds, char b) {
        *text += b;
        *kinds += 'S';
    }
    static void Pair(std::string* text, std::string* kinds, char lead, char trail) {
        *text += lead;
        *text += trail;
        *kinds += "LT";
    }

    std::mt19937 random_;
};

std::size_t ForwardLastDelimiter(const std::string& delimiters, const std::string& text,
                                 const std::string& kinds) {
    std::size_t found = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (kinds[i] != 'T' && delimiters.find(text[i]) != std::string::npos) found = i + 1;
    }
    return found;
}

std::string ForwardCase(const std::string& text, const std::string& kinds, bool upper) {
    std::string out = text;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (kinds[i] != 'S') continue;
        if (upper && out[i] >= 'a' && out[i] <= 'z') out[i] = static_cast<char>(out[i] - 32);
        if (!upper && out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] + 32);
    }
    return out;
}

TEST(PathRules, AgreesWithAForwardScanOfShiftJis) {
    PathRules rules = Japanese();
    ShiftJisWriter writer(932);
    for (int round = 0; round < 3000; ++round) {
        std::string kinds;
        std::string text = writer.Text(&kinds);
        // Every third text ends in a stray lead byte, which stays a lead byte.
        if (round % 3 == 0) {
            text += '\x95';
            kinds += 'L';
        }
        SCOPED_TRACE("round " + std::to_string(round) + ", text " + Hex(text));
        ASSERT_EQ(kinds + "S", Kinds(rules, text));
        EXPECT_EQ(ForwardLastDelimiter("\\:", text, kinds), rules.LastDelimiter("\\:", text));
        EXPECT_EQ(ForwardLastDelimiter(".\\:", text, kinds), rules.LastDelimiter(".\\:", text));
        EXPECT_BYTES(ForwardCase(text, kinds, false), rules.LowerCaseDoubleByte(text));
        EXPECT_BYTES(ForwardCase(text, kinds, true), rules.UpperCaseDoubleByte(text));
    }
}

TEST(PathRules, CaseChangesOnlyTheLatinLetters) {
    struct Row {
        std::string text, lower, upper;
    };
    // ア (83 41) and ヂ (83 61) end in bytes that look like "A" and "a".
    const std::string katakanaA = "\x83\x41";
    const std::string dzi = "\x83\x61";
    // ａ (82 81) ends in a lead-byte value; the letter after it still changes.
    const std::string wideA = "\x82\x81";
    const Row rows[] = {
        {R"(C:\Music\Take1.WAV)", R"(c:\music\take1.wav)", R"(C:\MUSIC\TAKE1.WAV)"},
        {katakanaA + "A", katakanaA + "a", katakanaA + "A"},
        {dzi + "a", dzi + "a", dzi + "A"},
        {wideA + "b", wideA + "b", wideA + "B"},
        // Half-width ｱ and the bytes around the letters' ranges keep their values.
        {"\xB1@[`{", "\xB1@[`{", "\xB1@[`{"},
    };
    PathRules rules = Japanese();
    for (const Row& row : rows) {
        SCOPED_TRACE("text " + Hex(row.text));
        EXPECT_BYTES(row.lower, rules.LowerCaseDoubleByte(row.text));
        EXPECT_BYTES(row.upper, rules.UpperCaseDoubleByte(row.text));
    }
}

}  // namespace
}  // namespace wendle
