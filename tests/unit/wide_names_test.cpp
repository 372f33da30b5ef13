#include "core/wide_names.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "common/bytes.h"

namespace wendle {
namespace {

// U+1F3B5 as the system gives it, a surrogate pair, on any width of char16_t.
#define kNote u"\xD83C\xDFB5"

const unsigned char kCodePage932[12] = {0x81, 0x9F, 0xE0, 0xFC};
const PathRules kJapanese = PathRules::FromSystem(true, kCodePage932);

// A code page 932 of a few characters, exact as the system's conversion
// without best fit: ASCII, 録音 and the two with trail byte 0x5C (ソ表).
bool Convert(const std::u16string& wide, std::string* bytes) {
    static const std::map<char16_t, std::string> kDoubleByte = {
        {u'録', "\x98\x5E"}, {u'音', "\x89\xB9"}, {u'ソ', "\x83\x5C"}, {u'表', "\x95\x5C"}};
    bytes->clear();
    for (char16_t c : wide) {
        if (c < 0x80) {
            bytes->push_back(static_cast<char>(c));
        } else if (kDoubleByte.count(c)) {
            bytes->append(kDoubleByte.at(c));
        } else {
            return false;
        }
    }
    return true;
}

// Short names of the volume, by full long path; the rest have none.
class Volume : public ShortNames {
  public:
    std::u16string Of(const std::u16string& path) const override {
        static const std::map<std::u16string, std::u16string> kShortNames = {
            {u"C:\\Music\\録音\\Beyoncé.wav", u"BEYO~2JD.WAV"},
            {u"C:\\Music\\a¥b", u"A_B~1"},
            {u"C:\\Music\\a¥b\\x\u00ADy.wav", u"XY~1.WAV"},
            {u"C:\\Music\\Zoë", u"ZO~1"},
            {u"C:\\Music\\Zoë\\ソ表é", u"\u00E9~1"},  // a short name no better
        };
        const auto found = kShortNames.find(path);
        return found == kShortNames.end() ? std::u16string() : found->second;
    }
};

struct Row {
    const char16_t* path;
    bool found;
    std::string narrow;
    const char16_t* failedPart;
};

TEST(WideNames, EachPartIsExactOrItsShortNameAndNeverALookAlike) {
    const Row rows[] = {
        {u"", true, "", u""},
        {u"C:\\", true, "C:\\", u""},
        // Kept whole, trail bytes 0x5C and all.
        {u"C:\\Music\\録音 ソ\\表.wav", true, "C:\\Music\\\x98\x5E\x89\xB9 \x83\x5C\\\x95\x5C.wav",
         u""},
        {u"\\\\server\\share\\ソ", true, "\\\\server\\share\\\x83\x5C", u""},
        // Only the part that the code page cannot write goes short.
        {u"C:\\Music\\録音\\Beyoncé.wav", true, "C:\\Music\\\x98\x5E\x89\xB9\\BEYO~2JD.WAV", u""},
        // U+00A5 and the soft hyphen: never a backslash or a dash.
        {u"C:\\Music\\a¥b\\x\u00ADy.wav", true, "C:\\Music\\A_B~1\\XY~1.WAV", u""},
        {u"C:\\Music\\a¥b\\", true, "C:\\Music\\A_B~1\\", u""},
        // No short name, or one the code page cannot write either: no path.
        {u"C:\\Music\\안녕.wav", false, "", u"안녕.wav"},
        {u"C:\\Music\\Zoë\\ソ表é\\a.wav", false, "", u"ソ表é"},
        {u"C:\\Music\\" kNote u".wav", false, "", kNote u".wav"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(bench::Hex(row.narrow));
        std::string narrow = "left over";
        std::u16string failed;
        EXPECT_EQ(row.found, NarrowPath(row.path, &Convert, Volume(), &narrow, &failed));
        EXPECT_BYTES(row.narrow, narrow);
        EXPECT_TRUE(failed == row.failedPart);
    }
}

TEST(WideNames, ShownAndOutputNamesReplaceEachCharacterTheCodePageCannotWrite) {
    struct Replaced {
        const char16_t* text;
        std::string shown;
    } shown[] = {
        // A surrogate pair is one character; a lone surrogate is one too.
        {u"a" kNote u"b", "a?b"},
        {u"안녕", "??"},
        {u"x\xD800"
         u"ソ",
         "x?\x83\x5C"},
    };
    for (const Replaced& row : shown) {
        EXPECT_BYTES(row.shown, NarrowWithReplacement(row.text, &Convert, '?'));
    }
    Replaced outputs[] = {
        {u"C:\\録音\\Beyoncé.wav", "Beyonc_.ogg"},
        {u"C:\\Music\\a¥b.wav", "a_b.ogg"},
        {u"C:\\안녕.wav", "__.ogg"},
        {u"x\u00ADy.wav", "x_y.ogg"},
        // The folder's characters play no part; the name's trail byte 0x5C stays.
        {u"C:\\a¥b\\表.wav", "\x95\x5C.ogg"},
        {u"C:\\ソ" kNote, "\x83\x5C_.ogg"},
    };
    for (const Replaced& row : outputs) {
        EXPECT_BYTES(row.shown, OutputNameOf(row.text, &Convert, kJapanese));
    }
}

}  // namespace
}  // namespace wendle
