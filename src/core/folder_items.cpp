#include "core/folder_items.h"

#include <algorithm>
#include <cstddef>

namespace wendle {

namespace {

// FS_CASE_SENSITIVE and FS_CASE_IS_PRESERVED, without the system headers.
constexpr unsigned long kCaseSensitive = 0x1;
constexpr unsigned long kCaseIsPreserved = 0x2;

}  // namespace

std::string DrivePart(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        // Up to the backslash that ends the share name, bytes only.
        int met = 0;
        for (std::size_t i = 2; i < path.size(); ++i) {
            if (path[i] == '\\' && ++met == 2) return path.substr(0, i);
        }
        return path;
    }
    return std::string();
}

std::string JoinPath(const std::string& folder, const std::string& name, const PathRules& rules) {
    if (rules.EndsInBackslash(folder)) return folder + name;
    return folder + "\\" + name;
}

int FolderLevel(const std::string& path, const PathRules& rules) {
    int level = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(path[i]);
        if (rules.IsLeadByte(b)) {
            ++i;
        } else if (b == '\\') {
            ++level;
        }
    }
    return level;
}

std::size_t FirstBackslash(const std::string& text, const PathRules& rules) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        if (rules.IsLeadByte(b)) {
            ++i;
        } else if (b == '\\') {
            return i;
        }
    }
    return std::string::npos;
}

std::vector<FolderItem> FolderPathItems(const std::string& folder, const PathRules& rules) {
    std::vector<FolderItem> items;
    const std::string root = DrivePart(folder) + "\\";
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
    const std::string drive = DrivePart(folder);
    if (index == 0) return drive + "\\";
    const FolderItem& item = items[static_cast<std::size_t>(index)];
    if (item.kind == FolderKind::Closed) return JoinPath(folder, item.text, rules);
    if (item.kind == FolderKind::Current) return folder;
    // An ancestor: the path up to its own backslash.
    const std::string rest = folder.substr(drive.size());
    int met = 0;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(rest[i]);
        if (rules.IsLeadByte(b)) {
            ++i;
        } else if (b == '\\' && ++met == index + 1) {
            return drive + rest.substr(0, i);
        }
    }
    return drive + rest;
}

int ItemIndent(int index, FolderKind kind, int folderLevel) {
    if (kind == FolderKind::Closed) return 4 * (folderLevel + 1) + 2;
    return 4 * index + 2;
}

std::vector<std::string> SortedUnique(std::vector<std::string> names, const SortKey& key) {
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
    target.root = DrivePart(text);
    if (target.root.empty()) {
        target.root = DrivePart(currentDirectory);
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
