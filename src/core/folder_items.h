// What the folder list shows, worked out from its folder alone: the items
// from the root down to the shown folder, the path each item stands for, and
// where each item is drawn. Every backslash search here is double-byte aware.
#pragma once

#include <string>
#include <vector>

#include "core/dpi_scaling.h"
#include "core/path_rules.h"

namespace wendle {

// The picture an item carries is its kind.
enum class FolderKind { Open, Current, Closed };

struct FolderItem {
    std::string text;
    FolderKind kind;
};

// "C:" for C:\Music, "\\server\share" for \\server\share\A, else empty.
std::string DrivePart(const std::string& path, const PathRules& rules);
// The folder and the name with one backslash between them.
std::string JoinPath(const std::string& folder, const std::string& name, const PathRules& rules);
// The number of backslashes in the path.
int FolderLevel(const std::string& path, const PathRules& rules);
// Byte position (0-based) of the first backslash that is not a trail byte, or npos.
std::size_t FirstBackslash(const std::string& text, const PathRules& rules);

// The root, the ancestors and the folder itself: C:\Music\Wav gives C:\ and
// Music (open) and Wav (current). The current item is the last one.
std::vector<FolderItem> FolderPathItems(const std::string& folder, const PathRules& rules);

// The full path the item at index stands for; empty past the last item.
std::string ItemPath(const std::vector<FolderItem>& items, int index, const std::string& folder,
                     const PathRules& rules);

// Left edge of an item's picture: 4 px a level at 96 DPI, sub-folders one
// level below the folder.
int ItemIndent(int index, FolderKind kind, int folderLevel, int dpi = kDesignDpi);
// Left edge of an item's text: 4 px at 96 DPI right of the picture.
inline int TextLeft(int indent, int pictureWidth, int dpi = kDesignDpi) {
    return pictureWidth + indent + ScaleToDpi(4, dpi);
}

// The names in the order of their sort keys (byte strings compared as bytes,
// as the locale's sort keys are made to be), one of each run of equal keys:
// the first found.
using SortKey = std::string (*)(const std::string&);
std::vector<std::string> SortedUnique(std::vector<std::string> names, SortKey key);

// The case rules of a volume from its flags. When the query failed, names are
// kept as the system gives them and compared without regard to case.
struct CaseRules {
    bool preserving;
    bool sensitive;
};
CaseRules VolumeCaseRules(bool queried, unsigned long flags);

// How a text given to the folder list names its target: the drive to be on,
// the root the path starts at, and the rest. "[name]" names a folder relative
// to the current one and keeps the current drive; otherwise drive is the
// null character unless the path starts with a letter and ":".
struct FolderTarget {
    char drive;
    std::string root;
    std::string folderPart;
};
FolderTarget ParseFolderText(const std::string& text, const std::string& currentDirectory,
                             const PathRules& rules);

// Cuts the last name (and the backslash before it) off folderPart: "\" when
// only the root backslash is left, empty when folderPart was just the name.
std::string CutLastName(const std::string& folderPart, const std::string& name);

}  // namespace wendle
