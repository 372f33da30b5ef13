#include "core/folder_items.h"

#include <algorithm>
#include <cstddef>

namespace wendle {

namespace {

// Byte position (0-based) of the nth backslash at or after start that is not
// a trail byte, or npos; start must begin a character.
std::size_t NthBackslash(const std::string& text, std::size_t start, int nth,
                         const PathRules& rules) {
    // No lead byte is a backslash: the walk alone keeps trail bytes out.
    for (std::size_t i = start; i < text.size(); i = rules.NextCharacter(text, i)) {
        if (text[i] == '\\' && --nth == 0) return i;
    }
    return std::string::npos;
}

// FS_CASE_SENSITIVE and FS_CASE_IS_PRESERVED, without the system headers.
constexpr unsigned long kCaseSensitive = 0x1;
constexpr unsigned long kCaseIsPreserved = 0x2;

}  // namespace

std::string DrivePart(const std::string& path, const PathRules& rules) {
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        // Up to the backslash that ends the share name: a trail byte 0x5C is
        // part of the server's or the share's name.
        const std::size_t end = NthBackslash(path, 2, 2, rules);
        return end == std::string::npos ? path : path.substr(0, end);
    }
    return std::string();
}

std::string JoinPath(const std::string& folder, const std::string& name, const PathRules& rules) {
    if (rules.EndsInBackslash(folder)) return folder + name;
    return folder + "\\" + name;
}

int FolderLevel(const std::string& path, const PathRules& rules) {
    int level = 0;
    for (std::size_t i = 0; i < path.size(); i = rules.NextCharacter(path, i)) {
        if (path[i] == '\\') ++level;
    }
    return level;
}

std::size_t FirstBackslash(const std::string& text, const PathRules& rules) {
    return NthBackslash(text, 0, 1, rules);
}

std::vector<FolderItem> FolderPathItems(const std::string& folder, const PathRules& rules) {
    std::vector<FolderItem> items;
    const std::string root = DrivePart(folder, rules) + "\\";
    int level = 0;
    std::string rest = folder;
    if (root.size() >= 2 && root[1] == '\\') {
        // A network path: the share is the first ancestor.
        items.push_back({root, FolderKind::Open});
        level = 1;
        rest = folder.size() > root.size() ? folder.substr(root.size()) : std::string();
    }
    if (rest.empty()) return items;
    if (!rules.EndsInBackslash(rest)) {
        for (std::size_t cut; (cut = FirstBackslash(rest, rules)) != std::string::npos;) {
            std::string piece = rest.substr(0, cut);
            if (level == 0) piece += "\\";
            rest.erase(0, cut + 1);
            items.push_back({piece, FolderKind::Open});
            ++level;
        }
    }
    items.push_back({rest, FolderKind::Current});
    return items;
}

std::string ItemPath(const std::vector<FolderItem>& items, int index, const std::string& folder,
                     const PathRules& rules) {
    if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return std::string();
    const std::string drive = DrivePart(folder, rules);
    if (index == 0) return drive + "\\";
    const FolderItem& item = items[static_cast<std::size_t>(index)];
    if (item.kind == FolderKind::Closed) return JoinPath(folder, item.text, rules);
    if (item.kind == FolderKind::Current) return folder;
    // An ancestor: the path up to its own backslash.
    const std::size_t end = NthBackslash(folder, drive.size(), index + 1, rules);
    return end == std::string::npos ? folder : folder.substr(0, end);
}

int ItemIndent(int index, FolderKind kind, int folderLevel, int dpi) {
    const int level = kind == FolderKind::Closed ? folderLevel + 1 : index;
    return ScaleToDpi(4 * level + 2, dpi);
}

std::vector<std::string> SortedUnique(std::vector<std::string> names, SortKey key) {
    struct Entry {
        std::string key;
        std::size_t found;
    };
    std::vector<Entry> entries;
    entries.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) entries.push_back({key(names[i]), i});
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.key < b.key; });
    std::vector<std::string> sorted;
    sorted.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0 && entries[i].key == entries[i - 1].key) continue;
        sorted.push_back(std::move(names[entries[i].found]));
    }
    return sorted;
}

CaseRules VolumeCaseRules(bool queried, unsigned long flags) {
    if (!queried) return {true, false};
    return {(flags & (kCaseIsPreserved | kCaseSensitive)) != 0, (flags & kCaseSensitive) != 0};
}

FolderTarget ParseFolderText(const std::string& text, const std::string& currentDirectory,
                             const PathRules& rules) {
    FolderTarget target{currentDirectory.empty() ? '\0' : currentDirectory[0], std::string(), text};
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']' &&
        rules.KindAt(text, text.size()) != ByteKind::Trail) {
        target.folderPart = text.substr(1, text.size() - 2);
        return target;
    }
    target.root = DrivePart(text, rules);
    if (target.root.empty()) {
        target.root = DrivePart(currentDirectory, rules);
    } else {
        target.folderPart.erase(0, target.root.size());
    }
    target.drive = target.root.size() >= 2 && target.root[1] == ':' ? target.root[0] : '\0';
    return target;
}

std::string CutLastName(const std::string& folderPart, const std::string& name) {
    if (folderPart.size() == name.size() + 1) return "\\";
    if (folderPart.size() > name.size())
        return folderPart.substr(0, folderPart.size() - name.size() - 1);
    return std::string();
}

}  // namespace wendle
