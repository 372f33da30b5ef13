#include "core/folder_items.h"

#include <gtest/gtest.h>

#include "common/bytes.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace wendle {
namespace {

using bench::Hex;

const unsigned char kCodePage932[12] = {0x81, 0x9F, 0xE0, 0xFC};
const PathRules kRules = PathRules::FromSystem(true, kCodePage932);

// Names whose last byte is 0x5C: 表 and ソ.
const std::string kHyo = "\x95\x5C";
const std::string kSo = "\x83\x5C";

// Items as "O:text", "C:text" (current) and "S:text" (sub-folder), for one-line comparisons.
std::vector<std::string> Shown(const std::vector<FolderItem>& items) {
    std::vector<std::string> shown;
    for (const FolderItem& item : items) {
        const char* kind = item.kind == FolderKind::Open      ? "O:"
                           : item.kind == FolderKind::Current ? "C:"
                                                              : "S:";
        shown.push_back(kind + item.text);
    }
    return shown;
}

TEST(DrivePart, DriveLettersSharesAndNothing) {
    const struct {
        std::string path, expected;
    } rows[] = {
        {"", ""},
        {"C:", "C:"},
        {"C:\\", "C:"},
        {"c:\\Music\\Wav", "c:"},
        {"C:a.wav", "C:"},
        {"\\\\server\\share\\A\\B", "\\\\server\\share"},
        {"\\\\server\\share\\", "\\\\server\\share"},
        {"\\\\server\\share", "\\\\server\\share"},  // no second backslash: all of it
        {"\\\\server", "\\\\server"},
        {"\\Music", ""},
        {"Music", ""},
        // Characters, not bytes: a trail byte 0x5C ends no server or share name.
        {"\\\\" + kSo + "\\x", "\\\\" + kSo + "\\x"},
        {"\\\\server\\" + kHyo + "\\A", "\\\\server\\" + kHyo},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_BYTES(row.expected, DrivePart(row.path, kRules));
    }
}

TEST(JoinPathAndLevel, TrailBytesAreNoBackslashes) {
    EXPECT_BYTES("C:\\Music", JoinPath("C:\\", "Music", kRules));
    EXPECT_BYTES("C:\\Music\\Wav", JoinPath("C:\\Music", "Wav", kRules));
    EXPECT_BYTES("D:\\" + kHyo + "\\Wav", JoinPath("D:\\" + kHyo, "Wav", kRules));
    EXPECT_BYTES("\\\\server\\share\\A", JoinPath("\\\\server\\share\\", "A", kRules));

    EXPECT_EQ(1, FolderLevel("C:\\", kRules));
    EXPECT_EQ(1, FolderLevel("C:\\Music", kRules));
    EXPECT_EQ(2, FolderLevel("C:\\Music\\Wav", kRules));
    EXPECT_EQ(2, FolderLevel("D:\\" + kHyo + "\\" + kSo, kRules));
    EXPECT_EQ(5, FolderLevel("\\\\server\\share\\A\\B", kRules));
}

TEST(FolderPathItems, RootAncestorsAndCurrent) {
    using V = std::vector<std::string>;
    EXPECT_EQ((V{"C:C:\\"}), Shown(FolderPathItems("C:\\", kRules)));
    EXPECT_EQ((V{"O:C:\\", "C:Music"}), Shown(FolderPathItems("C:\\Music", kRules)));
    EXPECT_EQ((V{"O:C:\\", "O:Music", "C:Wav"}), Shown(FolderPathItems("C:\\Music\\Wav", kRules)));
    EXPECT_EQ((V{"O:\\\\server\\share\\", "O:A", "C:B"}),
              Shown(FolderPathItems("\\\\server\\share\\A\\B", kRules)));
    EXPECT_EQ((V{"O:\\\\server\\share\\"}), Shown(FolderPathItems("\\\\server\\share\\", kRules)));
    // 表 and ソ end in 0x5C and stay whole names.
    EXPECT_EQ((V{"O:D:\\", "O:" + kHyo, "C:" + kSo}),
              Shown(FolderPathItems("D:\\" + kHyo + "\\" + kSo, kRules)));
    EXPECT_EQ((V{"O:D:\\", "C:[" + kSo}), Shown(FolderPathItems("D:\\[" + kSo, kRules)));
}

TEST(ItemPath, EachKindOfItem) {
    const std::string folder = "C:\\A\\B\\C";
    std::vector<FolderItem> items = FolderPathItems(folder, kRules);
    items.push_back({"Sub", FolderKind::Closed});
    EXPECT_BYTES("C:\\", ItemPath(items, 0, folder, kRules));
    EXPECT_BYTES("C:\\A", ItemPath(items, 1, folder, kRules));
    EXPECT_BYTES("C:\\A\\B", ItemPath(items, 2, folder, kRules));
    EXPECT_BYTES("C:\\A\\B\\C", ItemPath(items, 3, folder, kRules));
    EXPECT_BYTES("C:\\A\\B\\C\\Sub", ItemPath(items, 4, folder, kRules));
    EXPECT_BYTES("", ItemPath(items, 5, folder, kRules));
    EXPECT_BYTES("", ItemPath(items, -1, folder, kRules));

    const std::string root = "C:\\";
    items = FolderPathItems(root, kRules);
    items.push_back({"Music", FolderKind::Closed});
    EXPECT_BYTES("C:\\", ItemPath(items, 0, root, kRules));
    EXPECT_BYTES("C:\\Music", ItemPath(items, 1, root, kRules));
}

TEST(ItemPath, NetworkAndDoubleBytePaths) {
    const std::string share = "\\\\server\\share\\A\\B";
    std::vector<FolderItem> items = FolderPathItems(share, kRules);
    EXPECT_BYTES("\\\\server\\share\\", ItemPath(items, 0, share, kRules));
    EXPECT_BYTES("\\\\server\\share\\A", ItemPath(items, 1, share, kRules));
    EXPECT_BYTES(share, ItemPath(items, 2, share, kRules));

    const std::string japanese = "D:\\" + kHyo + "\\" + kSo + "\\x";
    items = FolderPathItems(japanese, kRules);
    items.push_back({kHyo, FolderKind::Closed});
    EXPECT_BYTES("D:\\" + kHyo, ItemPath(items, 1, japanese, kRules));
    EXPECT_BYTES("D:\\" + kHyo + "\\" + kSo, ItemPath(items, 2, japanese, kRules));
    EXPECT_BYTES(japanese + "\\" + kHyo, ItemPath(items, 4, japanese, kRules));
    // A sub-folder of a folder whose name ends in 0x5C still gets its backslash.
    const std::string so = "D:\\" + kSo;
    EXPECT_BYTES(so + "\\Wav", ItemPath({{"D:\\", FolderKind::Open},
                                         {kSo, FolderKind::Current},
                                         {"Wav", FolderKind::Closed}},
                                        2, so, kRules));
}

TEST(ItemIndent, StepsPerLevel) {
    // At C:\ the root stands at 2 and its sub-folders 8 px further in.
    EXPECT_EQ(2, ItemIndent(0, FolderKind::Current, FolderLevel("C:\\", kRules)));
    EXPECT_EQ(10, ItemIndent(1, FolderKind::Closed, FolderLevel("C:\\", kRules)));
    // At C:\Music: root 2, current 6, sub-folders 10.
    const int music = FolderLevel("C:\\Music", kRules);
    EXPECT_EQ(2, ItemIndent(0, FolderKind::Open, music));
    EXPECT_EQ(6, ItemIndent(1, FolderKind::Current, music));
    EXPECT_EQ(10, ItemIndent(2, FolderKind::Closed, music));
    EXPECT_EQ(10, ItemIndent(7, FolderKind::Closed, music));
    // A share counts its leading backslashes too.
    EXPECT_EQ(22, ItemIndent(3, FolderKind::Closed, FolderLevel("\\\\server\\share\\A", kRules)));
    EXPECT_EQ(16 + 10 + 4, TextLeft(10, 16));
    // At 144 DPI the whole indent is scaled (10 is 15), not each step of 4.
    EXPECT_EQ(15, ItemIndent(2, FolderKind::Closed, music, 144));
    EXPECT_EQ(3, ItemIndent(0, FolderKind::Open, music, 120));  // 2.5
    EXPECT_EQ(24 + 15 + 6, TextLeft(15, 24, 144));
}

TEST(SortedUnique, OrderedByTheKeysAndFirstOfEqualsKept) {
    const SortKey lowerCase = [](const std::string& name) {
        std::string key = name;
        for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return key;
    };
    EXPECT_EQ((std::vector<std::string>{"a", "music", "Ogg", "Wav", "z"}),
              SortedUnique({"Wav", "music", "Ogg", "Music", "a", "MUSIC", "z", "wav"}, lowerCase));
    EXPECT_EQ((std::vector<std::string>{"B", "b"}),
              SortedUnique({"b", "B"}, [](const std::string& name) { return name; }));
    EXPECT_TRUE(SortedUnique({}, lowerCase).empty());
}

TEST(VolumeCaseRules, AnUnknownVolumeKeepsNamesAndIgnoresCase) {
    EXPECT_FALSE(VolumeCaseRules(true, 0x80000).preserving);  // the bench's CD
    EXPECT_TRUE(VolumeCaseRules(false, 0x80000).preserving);
    EXPECT_FALSE(VolumeCaseRules(false, 0x1).sensitive);
}

TEST(ParseFolderText, DriveRootAndFolderPart) {
    const std::string here = "C:\\Music";
    const struct {
        std::string text;
        char drive;
        std::string root, folderPart;
    } rows[] = {
        {"D:\\Music\\Wav", 'D', "D:", "\\Music\\Wav"},
        {"D:\\", 'D', "D:", "\\"},
        {"D:", 'D', "D:", ""},
        {"x:", 'x', "x:", ""},
        {"Wav", 'C', "C:", "Wav"},
        {"\\Wav", 'C', "C:", "\\Wav"},
        {"\\\\server\\share\\A", '\0', "\\\\server\\share", "\\A"},
        {std::string("\0:", 2), '\0', std::string("\0:", 2), ""},
        {"[Wav]", 'C', "", "Wav"},
        {"[..]", 'C', "", ".."},
        // ソ's trail byte is no "]"-check problem, but a trail "]" (0x5D) is no bracket.
        {"[" + kSo + "]", 'C', "", kSo},
        {"[\x83\x5D", 'C', "C:", "[\x83\x5D"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(Hex(row.text));
        FolderTarget target = ParseFolderText(row.text, here, kRules);
        EXPECT_EQ(row.drive, target.drive);
        EXPECT_BYTES(row.root, target.root);
        EXPECT_BYTES(row.folderPart, target.folderPart);
    }
    // Started on a share, a bare name keeps to the share and has no drive.
    FolderTarget onShare = ParseFolderText("Wav", "\\\\server\\share\\A", kRules);
    EXPECT_EQ('\0', onShare.drive);
    EXPECT_BYTES("\\\\server\\share", onShare.root);
}

TEST(CutLastName, LeavesTheFolderThatHoldsTheName) {
    EXPECT_BYTES("\\", CutLastName("\\Wav", "Wav"));
    EXPECT_BYTES("\\Music", CutLastName("\\Music\\Wav", "Wav"));
    EXPECT_BYTES("\\Music", CutLastName("\\Music\\", ""));
    EXPECT_BYTES("\\" + kHyo, CutLastName("\\" + kHyo + "\\*.wav", "*.wav"));
    EXPECT_BYTES("", CutLastName("Wav", "Wav"));
    EXPECT_BYTES("", CutLastName("", ""));
}

}  // namespace
}  // namespace wendle
