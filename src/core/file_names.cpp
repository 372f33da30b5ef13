#include "core/file_names.h"

#include <algorithm>
#include <cstring>

#include "core/latin_letters.h"

namespace wendle {

namespace {

bool HasForbiddenCharacter(const std::string& text, const PathRules& rules) {
    for (std::size_t i = 0; i < text.size(); i = rules.NextCharacter(text, i)) {
        if (rules.NextCharacter(text, i) == i + 1 && IsForbiddenInName(text[i])) return true;
    }
    return false;
}

}  // namespace

bool IsForbiddenInName(unsigned char c) {
    return c < 0x20 || (c != 0 && std::strchr("\\/:*?\"<>|", c) != nullptr);
}

std::string WithoutForbiddenCharacters(const std::string& text, const PathRules& rules) {
    std::string kept;
    for (std::size_t i = 0, next; i < text.size(); i = next) {
        next = rules.NextCharacter(text, i);
        if (next > i + 1 || !IsForbiddenInName(text[i])) kept.append(text, i, next - i);
    }
    return kept;
}

bool IsDeviceName(const std::string& name, const PathRules& rules) {
    std::size_t dot = name.size();
    for (std::size_t i = 0; i < name.size(); i = rules.NextCharacter(name, i)) {
        if (name[i] == '.') {
            dot = i;
            break;
        }
    }
    std::string base = name.substr(0, dot);
    while (!base.empty() && base.back() == ' ') base.pop_back();
    // By bytes: a trail byte that changes leaves a double-byte character,
    // which no device name holds.
    for (char& c : base) c = UpperLatin(c);
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" ||
        base == "CONOUT$") {
        return true;
    }
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
           base[3] >= '1' && base[3] <= '9';
}

NameFault CheckFileName(const std::string& name, const PathRules& rules) {
    if (HasForbiddenCharacter(name, rules)) return NameFault::Character;
    if (IsDeviceName(name, rules)) return NameFault::Device;
    // Windows drops a trailing blank or dot: another file than the one shown.
    // No trail byte is a blank or a dot.
    if (!name.empty() && (name.back() == ' ' || name.back() == '.')) return NameFault::Ending;
    return NameFault::None;
}

std::string OutputFolderOf(const std::string& path, const std::string& name,
                           const PathRules& rules) {
    const std::size_t cut = path.size() - std::min(path.size(), name.size());
    if (!name.empty() && path.compare(cut, std::string::npos, name) == 0 &&
        rules.KindAt(path, cut + 1) != ByteKind::Trail) {
        return path.substr(0, cut);
    }
    return rules.ExtractPath(path);
}

bool IsNewFolderName(const std::string& name, const PathRules& rules) {
    std::string path = name;
    if (!path.empty() && rules.EndsInBackslash(path)) path.pop_back();
    if (path.empty()) return false;
    std::size_t start = 0;
    for (std::size_t i = 0;; i = rules.NextCharacter(path, i)) {
        if (i < path.size() && !(path[i] == '\\' && rules.NextCharacter(path, i) == i + 1)) {
            continue;
        }
        // One part: a plain file name, not made of dots alone.
        const std::string part = path.substr(start, i - start);
        if (part.empty() || part.find_first_not_of('.') == std::string::npos) return false;
        if (CheckFileName(part, rules) != NameFault::None) return false;
        if (i >= path.size()) return true;
        start = i + 1;
    }
}

}  // namespace wendle
