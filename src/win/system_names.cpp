#include "win/system_names.h"

namespace wendle {

namespace {

// The entry's own short name, found by its exact long name: a pattern would
// find another file's.
std::u16string FileSystemShortName(const std::u16string& path) {
    const std::u16string name = WideFileName(path);
    if (name.find_first_of(u"*?") != std::u16string::npos) return {};
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(ToWide(path).c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return {};
    FindClose(search);
    return ToU16(entry.cAlternateFileName);
}

ShortNameLookup& Lookup() {
    static ShortNameLookup lookup = &FileSystemShortName;
    return lookup;
}

}  // namespace

std::u16string ToU16(const std::wstring& text) {
    return std::u16string(text.begin(), text.end());
}

std::wstring ToWide(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}

std::wstring WideFromAnsi(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                      &wide[0], static_cast<int>(wide.size()));
    wide.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return wide;
}

bool ExactAnsi(const std::u16string& wide, std::string* bytes) {
    bytes->clear();
    if (wide.empty()) return true;
    const std::wstring text = ToWide(wide);
    const int units = static_cast<int>(text.size());
    // At most two bytes a unit in any code page Windows uses for ANSI.
    bytes->resize(text.size() * 2);
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), units, &(*bytes)[0],
                                      static_cast<int>(bytes->size()), nullptr, &usedDefault);
    if (n <= 0 || usedDefault) return false;
    bytes->resize(static_cast<std::size_t>(n));
    // Some characters still come back as others; only a round trip is exact.
    std::wstring back(static_cast<std::size_t>(n), L'\0');
    const int m = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes->data(), n, &back[0], n);
    return m == units && back.compare(0, static_cast<std::size_t>(m), text) == 0;
}

bool NarrowSystemPath(const std::wstring& path, std::string* narrow) {
    return NarrowPath(ToU16(path), &ExactAnsi, Lookup(), narrow);
}

bool NarrowEntryName(const std::wstring& folder, const std::wstring& name, std::string* narrow) {
    const std::u16string inFolder = ToU16(folder) + u"\\";
    return NarrowPath(
        ToU16(name), &ExactAnsi,
        [&](const std::u16string& part) { return Lookup()(inFolder + part); }, narrow);
}

std::string NarrowShownText(const std::wstring& text, char replacement) {
    return NarrowWithReplacement(ToU16(text), &ExactAnsi, replacement);
}

void ReplaceShortNameLookup(ShortNameLookup lookup) {
    Lookup() = lookup ? std::move(lookup) : ShortNameLookup(&FileSystemShortName);
}

}  // namespace wendle
