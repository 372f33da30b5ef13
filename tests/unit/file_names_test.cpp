#include "core/file_names.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "common/bytes.h"

namespace wendle {
namespace {

const unsigned char kCodePage932[12] = {0x81, 0x9F, 0xE0, 0xFC};
const PathRules kJapanese = PathRules::FromSystem(true, kCodePage932);
const std::string kHyo = "\x95\x5C";  // 表
const std::string kSo = "\x83\x5C";   // ソ

// Random names of plain letters and double-byte characters, many of them with
// a trail byte that is a delimiter on its own (\ | :).
std::string RandomName(std::mt19937& random) {
    static const std::string kPieces[] = {kHyo, kSo, "\x81\x7C", "\x81\x5C", "\x81\x40", "a",
                                          "Z",  "1", "_",        "\x82\xA0", " x",       "-"};
    std::string name;
    const int length = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < length; ++i)
        name += kPieces[random() % (sizeof kPieces / sizeof kPieces[0])];
    return name;
}

TEST(FileNames, DoubleByteCharactersWithDelimiterTrailBytesAreWholeNames) {
    std::mt19937 random(932);
    for (int round = 0; round < 500; ++round) {
        const std::string name = RandomName(random);
        SCOPED_TRACE(bench::Hex(name));
        EXPECT_EQ(NameFault::None, CheckFileName(name, kJapanese));
        EXPECT_BYTES(name, WithoutForbiddenCharacters(name, kJapanese));
        EXPECT_TRUE(IsNewFolderName(name, kJapanese));
        EXPECT_TRUE(IsNewFolderName(name + "\\" + name + kSo, kJapanese));
        // The same bytes on a single-byte system hold real backslashes.
        if (name.find('\\') != std::string::npos) {
            EXPECT_EQ(NameFault::Character, CheckFileName(name, PathRules()));
        }
    }
}

TEST(FileNames, ForbiddenCharactersAreRefusedAndStripped) {
    for (const char* bad : {"\\", "/", ":", "*", "?", "\"", "<", ">", "|", "\t", "\x01", "\x1F"}) {
        SCOPED_TRACE(bench::Hex(bad));
        const std::string name = kHyo + bad + "a.ogg";
        EXPECT_EQ(NameFault::Character, CheckFileName(name, kJapanese));
        EXPECT_BYTES(kHyo + "a.ogg", WithoutForbiddenCharacters(name, kJapanese));
        if (*bad != '\\') {
            EXPECT_FALSE(IsNewFolderName(std::string("new") + bad + "x", kJapanese));
        }
    }
    EXPECT_BYTES("Track 1 Intro.ogg", WithoutForbiddenCharacters("Track 1: Intro.ogg", kJapanese));
    // A lead byte at the end stands alone and is kept.
    EXPECT_BYTES("a\x95", WithoutForbiddenCharacters("a\x95", kJapanese));
}

TEST(FileNames, DeviceNamesAsWindowsReadsThem) {
    for (const char* device : {"con", "PRN", "Aux", "nul.ogg", "NUL.txt.ogg", "lpt9", "COM1.ogg",
                               "con .ogg", "nul ", "CONIN$", "conout$", "Conin$.ogg"}) {
        SCOPED_TRACE(device);
        EXPECT_TRUE(IsDeviceName(device, kJapanese));
        EXPECT_EQ(NameFault::Device, CheckFileName(device, kJapanese));
        EXPECT_FALSE(IsNewFolderName(std::string("sub\\") + device, kJapanese));
    }
    for (const char* plain : {"console.ogg", "com0", "lpt10", "com", "xnul.ogg", "a.nul", "COM1x",
                              "conin", "conerr$"}) {
        SCOPED_TRACE(plain);
        EXPECT_FALSE(IsDeviceName(plain, kJapanese));
        EXPECT_EQ(NameFault::None, CheckFileName(plain, kJapanese));
    }
}

TEST(FileNames, AnEndingBlankOrDotIsRefused) {
    EXPECT_EQ(NameFault::Ending, CheckFileName("take1.ogg ", kJapanese));
    EXPECT_EQ(NameFault::Ending, CheckFileName("take1.", kJapanese));
    EXPECT_EQ(NameFault::None, CheckFileName(" take1.ogg", kJapanese));
    EXPECT_EQ(NameFault::None, CheckFileName(".ogg", kJapanese));
    EXPECT_EQ(NameFault::None, CheckFileName("", kJapanese));
}

TEST(FileNames, TheOutputFolderIsThePathWithoutTheWholeName) {
    EXPECT_EQ("C:\\g\\w\\",
              OutputFolderOf("C:\\g\\w\\Track 1: Intro.ogg", "Track 1: Intro.ogg", kJapanese));
    EXPECT_EQ("C:\\", OutputFolderOf("C:\\a.ogg", "a.ogg", kJapanese));
    EXPECT_EQ("", OutputFolderOf("take1.ogg", "take1.ogg", kJapanese));
    EXPECT_EQ("D:\\other\\", OutputFolderOf("D:\\other\\x.ogg", "a.ogg", kJapanese));
    // The name's bytes end the path, but cut a character in two: not the name.
    EXPECT_EQ("C:\\\x95\x5C\\", OutputFolderOf("C:\\\x95\x5C\\x", "\x5C\\x", kJapanese));
}

TEST(FileNames, ANewFolderStaysInsideTheShownFolder) {
    for (const char* outside :
         {"", "\\", "a:b", "x:", "\\x", "\\\\server\\share", "..\\x", "..", "sub\\..\\..\\x", ".",
          "sub\\.", "...", "a\\\\b", "a/b", "new.", "\\\\?\\C:\\x"}) {
        SCOPED_TRACE(outside);
        EXPECT_FALSE(IsNewFolderName(outside, kJapanese));
    }
    for (const char* inside : {"new", "sub\\new", "new\\", ".hidden", "a b", "v1.2"}) {
        SCOPED_TRACE(inside);
        EXPECT_TRUE(IsNewFolderName(inside, kJapanese));
    }
}

}  // namespace
}  // namespace wendle
