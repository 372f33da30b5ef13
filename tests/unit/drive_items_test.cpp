#include "core/drive_items.h"

#include <gtest/gtest.h>

#include "common/bytes.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "core/path_rules.h"

namespace wendle {
namespace {

using bench::Hex;

// Code page 932's lead bytes, as the Japanese system reports them.
PathRules Japanese() {
    const unsigned char ranges[12] = {0x81, 0x9F, 0xE0, 0xFC};
    return PathRules::FromSystem(true, ranges);
}

struct FakeDrive {
    unsigned type;
    std::string label;
    bool labelFails = false;
    bool connected = false;
    std::string remote;
};

// A system with the drives given, keyed by lower-case letter; records every question.
class FakeSystem : public DriveQueries {
  public:
    explicit FakeSystem(std::map<char, FakeDrive> drives) : drives_(std::move(drives)) {}

    std::uint32_t LogicalDrives() override {
        std::uint32_t mask = 0;
        for (const auto& [letter, drive] : drives_) mask |= std::uint32_t{1} << (letter - 'a');
        return mask;
    }
    unsigned DriveType(const std::string& root) override {
        typeRoots.push_back(root);
        return drives_.at(root[0]).type;
    }
    std::string VolumeLabel(const std::string& root) override {
        labelRoots.push_back(root);
        const FakeDrive& drive = drives_.at(static_cast<char>(root[0] | 0x20));
        return drive.labelFails ? "" : drive.label;
    }
    bool Connection(const std::string& device, std::string* remote) override {
        devices.push_back(device);
        const FakeDrive& drive = drives_.at(static_cast<char>(device[0] | 0x20));
        if (drive.connected) *remote = drive.remote;
        return drive.connected;
    }
    std::string LowerCase(const std::string& text) override {
        return rules_.LowerCaseDoubleByte(text);
    }
    std::string UpperCase(const std::string& text) override {
        return rules_.UpperCaseDoubleByte(text);
    }

    std::vector<std::string> typeRoots;
    std::vector<std::string> labelRoots;
    std::vector<std::string> devices;

  private:
    std::map<char, FakeDrive> drives_;
    PathRules rules_ = Japanese();
};

// "Data" + ア (83 41: its trail byte is an "A") + 表 (95 5C) + ｱ (single-byte B1).
const std::string kMixedLabel = "Data\x83\x41\x95\x5C\xB1";

std::map<char, FakeDrive> Bench() {
    return {
        {'a', {kDriveRemovable, "FLOPPY", false, false, ""}},
        {'b', {kDriveNoRoot, "", false, false, ""}},
        {'c', {kDriveFixed, kMixedLabel, false, false, ""}},
        {'d', {kDriveUnknown, "unknown", false, false, ""}},
        {'e', {7, "newer kind", false, false, ""}},
        {'n', {kDriveRemote, "Net", false, true, "\\\\Server\\Share"}},
        {'p', {kDriveRemote, "Lost", false, false, ""}},
        {'q', {kDriveCdRom, "", true, false, ""}},
        {'r', {kDriveRamDisk, "Ram", false, false, ""}},
    };
}

struct Expected {
    std::string text;
    DrivePicture picture;
};

void ExpectItems(const std::vector<Expected>& expected, const std::vector<DriveItem>& got) {
    ASSERT_EQ(expected.size(), got.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("item " + std::to_string(i));
        EXPECT_EQ(Hex(expected[i].text), Hex(got[i].text)) << got[i].text;
        EXPECT_EQ(static_cast<int>(expected[i].picture), static_cast<int>(got[i].picture));
    }
}

// The items as listed, each with its full text.
std::vector<DriveItem> FullItems(FakeSystem& system, LetterCase textCase) {
    std::vector<DriveItem> items = ListDrives(system, textCase);
    for (DriveItem& item : items) item.text = FullDriveText(system, item);
    return items;
}

TEST(ListDrives, ItemsInLetterOrderInEitherCase) {
    // Labels and remote names follow the letter's case; double-byte characters,
    // even with an "A" as trail byte, and single-byte katakana keep their bytes.
    FakeSystem upper(Bench());
    ExpectItems(
        {
            {"A:", DrivePicture::Floppy},
            {"C: [DATA\x83\x41\x95\x5C\xB1]", DrivePicture::Hard},
            {"N: \\\\SERVER\\SHARE", DrivePicture::Network},
            {"P: [LOST]", DrivePicture::Network},  // no connection: its label
            {"Q: []", DrivePicture::CdRom},        // no disc: the query fails
            {"R: [RAM]", DrivePicture::Ram},
        },
        FullItems(upper, kUpperCase));

    FakeSystem lower(Bench());
    ExpectItems(
        {
            {"a:", DrivePicture::Floppy},
            {"c: [data\x83\x41\x95\x5C\xB1]", DrivePicture::Hard},
            {"n: \\\\server\\share", DrivePicture::Network},
            {"p: [lost]", DrivePicture::Network},
            {"q: []", DrivePicture::CdRom},
            {"r: [ram]", DrivePicture::Ram},
        },
        FullItems(lower, kLowerCase));
}

TEST(ListDrives, AsksOnlyWhatEachKindNeeds) {
    FakeSystem system(Bench());
    // Listing waits for no drive: the letters alone, no label, no connection.
    const std::vector<DriveItem> listed = ListDrives(system, kUpperCase);
    ExpectItems(
        {
            {"A:", DrivePicture::Floppy},
            {"C:", DrivePicture::Hard},
            {"N:", DrivePicture::Network},
            {"P:", DrivePicture::Network},
            {"Q:", DrivePicture::CdRom},
            {"R:", DrivePicture::Ram},
        },
        listed);
    EXPECT_TRUE(system.labelRoots.empty());
    EXPECT_TRUE(system.devices.empty());
    for (const DriveItem& item : listed) FullDriveText(system, item);
    // Types by lower-case root; no volume query for the removable drive, nor for
    // drives that get no item; the network asked by upper-case device name.
    EXPECT_EQ((std::vector<std::string>{"a:\\", "b:\\", "c:\\", "d:\\", "e:\\", "n:\\", "p:\\",
                                        "q:\\", "r:\\"}),
              system.typeRoots);
    EXPECT_EQ((std::vector<std::string>{"C:\\", "P:\\", "Q:\\", "R:\\"}), system.labelRoots);
    EXPECT_EQ((std::vector<std::string>{"N:", "P:"}), system.devices);

    FakeSystem lower(Bench());
    FullItems(lower, kLowerCase);
    EXPECT_EQ((std::vector<std::string>{"N:", "P:"}), lower.devices);
}

TEST(DriveOfDirectory, FirstCharacterOrNoneForANetworkPath) {
    EXPECT_EQ('C', DriveOfDirectory("C:\\Wave"));
    EXPECT_EQ('z', DriveOfDirectory("z:\\"));
    EXPECT_EQ('\0', DriveOfDirectory("\\\\server\\share\\music"));
    EXPECT_EQ('\0', DriveOfDirectory(""));
}

TEST(FindDriveItem, FirstItemNamingTheDrive) {
    const std::vector<std::string> texts = {"a:",         "c",           "cd: [X]",
                                            "C: [FIRST]", "c: [second]", "q: []"};
    EXPECT_EQ(0, FindDriveItem(texts, 'A'));
    EXPECT_EQ(3, FindDriveItem(texts, 'c'));
    EXPECT_EQ(5, FindDriveItem(texts, 'Q'));
    EXPECT_EQ(-1, FindDriveItem(texts, 'b'));
    EXPECT_EQ(-1, FindDriveItem(texts, '\0'));
    EXPECT_EQ(-1, FindDriveItem({}, 'c'));
}

TEST(DriveMeasures, DroppedListShowsOneToEightItems) {
    const int item = 16;
    const int closed = 24;
    EXPECT_EQ(1 * item + closed + 2, DroppedHeight(0, item, closed));
    EXPECT_EQ(1 * item + closed + 2, DroppedHeight(1, item, closed));
    EXPECT_EQ(6 * item + closed + 2, DroppedHeight(6, item, closed));
    EXPECT_EQ(8 * item + closed + 2, DroppedHeight(8, item, closed));
    EXPECT_EQ(8 * item + closed + 2, DroppedHeight(26, item, closed));
}

TEST(DriveMeasures, PictureCentredTextAfterIt) {
    DriveItemLayout layout = LayoutDriveItem(10, 20, 36, 16, 11);
    EXPECT_EQ(12, layout.pictureLeft);
    EXPECT_EQ(22, layout.pictureTop);  // (20 + 36 - 11) / 2 = 22.5
    EXPECT_EQ(32, layout.textLeft);

    // Truncated toward zero, not down, above the list's top.
    EXPECT_EQ(-17, LayoutDriveItem(0, -20, -4, 16, 11).pictureTop);
    EXPECT_EQ(5 + 20 + 6, LayoutDriveItem(5, 0, 16, 20, 11).textLeft);
    EXPECT_EQ(5 + 16 + 6, LayoutDriveItem(5, 0, 16, 0, 0).textLeft);

    // At 144 DPI the gaps and the blank picture's room are scaled.
    const DriveItemLayout scaled = LayoutDriveItem(10, 20, 47, 24, 17, 144);
    EXPECT_EQ(13, scaled.pictureLeft);
    EXPECT_EQ(25, scaled.pictureTop);
    EXPECT_EQ(10 + 24 + 9, scaled.textLeft);
    EXPECT_EQ(5 + 24 + 9, LayoutDriveItem(5, 0, 24, 0, 0, 144).textLeft);
}

}  // namespace
}  // namespace wendle
