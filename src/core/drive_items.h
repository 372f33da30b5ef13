// The drive chooser's items and measures apart from its window: which drives
// get an item, with what text and picture, how the chosen letter is cased and
// found, and how big items and the dropped list are.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/dpi_scaling.h"

namespace wendle {

enum LetterCase { kLowerCase, kUpperCase };

// In the order the pictures are loaded.
enum class DrivePicture { Floppy, Hard, Network, CdRom, Ram };
constexpr int kDrivePictureCount = 5;

// The drive types as GetDriveTypeA reports them.
enum DriveType : unsigned {
    kDriveUnknown = 0,
    kDriveNoRoot = 1,
    kDriveRemovable = 2,
    kDriveFixed = 3,
    kDriveRemote = 4,
    kDriveCdRom = 5,
    kDriveRamDisk = 6,
};

struct DriveItem {
    std::string text;
    DrivePicture picture;
};

// What listing the drives asks of the system.
class DriveQueries {
  public:
    virtual ~DriveQueries() = default;
    // Bit 0 is drive a.
    virtual std::uint32_t LogicalDrives() = 0;
    // root is the letter followed by ":\".
    virtual unsigned DriveType(const std::string& root) = 0;
    // The volume name, empty on any failure.
    virtual std::string VolumeLabel(const std::string& root) = 0;
    // The remote name of a device such as "N:"; false on any failure.
    virtual bool Connection(const std::string& device, std::string* remote) = 0;
    // Lower- and upper-case of a file name.
    virtual std::string LowerCase(const std::string& text) = 0;
    virtual std::string UpperCase(const std::string& text) = 0;
};

// One item per drive with a root, in letter order, its text the letter and
// ":" only: the drive mask and the types never wait for a medium or a server.
std::vector<DriveItem> ListDrives(DriveQueries& system, LetterCase textCase);
// A listed item's text with its label or connection, which may wait for the
// drive. A removable drive is never asked for its volume: that would wait
// for a medium.
std::string FullDriveText(DriveQueries& system, const DriveItem& item);

// The drive of a current directory: its first character, none (the null
// character) for a network path or an empty text.
char DriveOfDirectory(const std::string& directory);
// The letter the drive setter keeps: a Latin letter in the case asked for;
// anything else as it is.
char CasedDrive(char ch, LetterCase textCase);
// Equal, Latin letters compared without case.
bool SameDrive(char a, char b);
// The first item, from the top, that names the drive ("c:..."); -1 when none.
int FindDriveItem(const std::vector<std::string>& texts, char drive);

// An item is as high as the font's character cell, and never lower than the picture.
int DriveItemHeight(int fontHeight, int pictureHeight);
// The window height that drops a list of at most eight items, at least one.
int DroppedHeight(int itemCount, int itemHeight, int closedHeight);

// Where an item's picture and text go inside the item's rectangle.
struct DriveItemLayout {
    int pictureLeft;
    int pictureTop;
    int textLeft;
};
// Without a picture (pictureWidth 0) the text keeps the room of a 16-pixel
// one; the gaps are designed at 96 DPI.
DriveItemLayout LayoutDriveItem(int left, int top, int bottom, int pictureWidth, int pictureHeight,
                                int dpi = kDesignDpi);

}  // namespace wendle
