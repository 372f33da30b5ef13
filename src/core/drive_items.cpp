#include "core/drive_items.h"

#include <algorithm>

#include "core/latin_letters.h"

namespace wendle {

namespace {

constexpr int kMaxDroppedItems = 8;
constexpr int kBlankPictureWidth = 16;

// Labels and remote names follow the case the letter is shown in.
std::string InLetterCase(DriveQueries& system, char letter, const std::string& text) {
    return static_cast<unsigned char>(letter) >= 'a' ? system.LowerCase(text)
                                                     : system.UpperCase(text);
}

std::string LabelText(DriveQueries& system, char letter) {
    const std::string root = std::string(1, letter) + ":\\";
    return "[" + InLetterCase(system, letter, system.VolumeLabel(root)) + "]";
}

std::string ConnectionText(DriveQueries& system, char letter) {
    std::string remote;
    if (system.Connection(std::string(1, UpperLatin(letter)) + ":", &remote)) {
        return InLetterCase(system, letter, remote);
    }
    return LabelText(system, letter);
}

}  // namespace

std::vector<DriveItem> ListDrives(DriveQueries& system, LetterCase textCase) {
    std::vector<DriveItem> items;
    const std::uint32_t drives = system.LogicalDrives();
    for (int bit = 0; bit < 26; ++bit) {
        if (!(drives & (std::uint32_t{1} << bit))) continue;
        char letter = static_cast<char>('a' + bit);
        const unsigned type = system.DriveType(std::string(1, letter) + ":\\");
        if (textCase == kUpperCase) letter = UpperLatin(letter);
        const std::string text = std::string(1, letter) + ":";
        switch (type) {
            case kDriveRemovable:
                items.push_back({text, DrivePicture::Floppy});
                break;
            case kDriveFixed:
                items.push_back({text, DrivePicture::Hard});
                break;
            case kDriveRemote:
                items.push_back({text, DrivePicture::Network});
                break;
            case kDriveCdRom:
                items.push_back({text, DrivePicture::CdRom});
                break;
            case kDriveRamDisk:
                items.push_back({text, DrivePicture::Ram});
                break;
            default:
                break;  // unknown, no root directory, or a type this program predates
        }
    }
    return items;
}

std::string FullDriveText(DriveQueries& system, const DriveItem& item) {
    const char letter = item.text[0];
    const std::string prefix = std::string(1, letter) + ": ";
    switch (item.picture) {
        case DrivePicture::Floppy:
            return item.text;
        case DrivePicture::Network:
            return prefix + ConnectionText(system, letter);
        default:
            return prefix + LabelText(system, letter);
    }
}

char DriveOfDirectory(const std::string& directory) {
    if (directory.empty() || directory[0] == '\\') return '\0';
    return directory[0];
}

char CasedDrive(char ch, LetterCase textCase) {
    // Only letters change: "+32" on anything else would turn '1' into 'Q'.
    if (!IsLatinLetter(ch)) return ch;
    return textCase == kUpperCase ? UpperLatin(ch) : LowerLatin(ch);
}

bool SameDrive(char a, char b) {
    return LowerLatin(a) == LowerLatin(b);
}

int FindDriveItem(const std::vector<std::string>& texts, char drive) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string& text = texts[i];
        if (text.size() >= 2 && SameDrive(text[0], drive) && text[1] == ':') {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int DriveItemHeight(int fontHeight, int pictureHeight) {
    return std::max(fontHeight, pictureHeight);
}

int DroppedHeight(int itemCount, int itemHeight, int closedHeight) {
    const int shown = std::clamp(itemCount, 1, kMaxDroppedItems);
    return shown * itemHeight + closedHeight + 2;
}

DriveItemLayout LayoutDriveItem(int left, int top, int bottom, int pictureWidth, int pictureHeight,
                                int dpi) {
    DriveItemLayout layout{};
    layout.pictureLeft = left + ScaleToDpi(2, dpi);
    // C++ division truncates toward zero, as the rule asks.
    layout.pictureTop = (top + bottom - pictureHeight) / 2;
    layout.textLeft = left +
                      (pictureWidth > 0 ? pictureWidth : ScaleToDpi(kBlankPictureWidth, dpi)) +
                      ScaleToDpi(6, dpi);
    return layout;
}

}  // namespace wendle
