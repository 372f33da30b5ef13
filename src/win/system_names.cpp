#include "win/system_names.h"

#include <algorithm>

namespace wendle {

namespace {

class FileSystemShortNames : public ShortNames {
  public:
    // The entry's own short name, found by its exact long name: a pattern
    // would find another file's.
    std::u16string Of(const std::u16string& path) const override {
        if (WideFileName(path).find_first_of(u"*?") != std::u16string::npos) return {};
        WIN32_FIND_DATAW entry;
        HANDLE search = FindFirstFileW(ToWide(path).data(), &entry);
        if (search == INVALID_HANDLE_VALUE) return {};
        FindClose(search);
        return FromWide(entry.cAlternateFileName);
    }
};

const FileSystemShortNames kFileSystemShortNames;
const ShortNames* shortNamesInUse = &kFileSystemShortNames;

// The short names of the entries of one folder, by their names alone.
class EntryShortNames : public ShortNames {
  public:
    explicit EntryShortNames(const std::u16string& folder) : folder_(folder + u"\\") {}
    std::u16string Of(const std::u16string& name) const override {
        return shortNamesInUse->Of(folder_ + name);
    }

  private:
    std::u16string folder_;
};

}  // namespace

std::u16string FromWide(const wchar_t* text) {
    return FromWide(text, static_cast<std::size_t>(lstrlenW(text)));
}

std::u16string FromWide(const wchar_t* text, std::size_t length) {
    return std::u16string(text, text + length);
}

std::vector<wchar_t> ToWide(const std::u16string& text) {
    std::vector<wchar_t> wide(text.begin(), text.end());
    wide.push_back(L'\0');
    return wide;
}

std::u16string WideFromAnsi(const std::string& text) {
    std::vector<wchar_t> wide(text.size() + 1);
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                      wide.data(), static_cast<int>(wide.size()));
    return FromWide(wide.data(), n > 0 ? static_cast<std::size_t>(n) : 0);
}

bool ExactAnsi(const std::u16string& text, std::string* bytes) {
    const std::vector<wchar_t> wide = ToWide(text);
    return ExactAnsi(wide.data(), text.size(), bytes);
}

bool ExactAnsi(const wchar_t* text, std::size_t length, std::string* bytes) {
    bytes->assign(length, '\0');
    // Plain ASCII, most names, needs no system call.
    std::size_t i = 0;
    for (; i < length && text[i] < 0x80; ++i) (*bytes)[i] = static_cast<char>(text[i]);
    if (i == length) return true;
    const int units = static_cast<int>(length);
    // At most two bytes a unit in any code page Windows uses for ANSI.
    bytes->resize(length * 2);
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, units, &(*bytes)[0],
                                      static_cast<int>(bytes->size()), nullptr, &usedDefault);
    if (n <= 0 || usedDefault) return false;
    bytes->resize(static_cast<std::size_t>(n));
    // Some characters still come back as others; only a round trip is exact.
    std::vector<wchar_t> back(static_cast<std::size_t>(n));
    const int m =
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes->data(), n, back.data(), n);
    return m == units && std::equal(back.begin(), back.begin() + m, text);
}

bool NarrowSystemPath(const std::u16string& path, std::string* narrow) {
    return NarrowPath(path, &ExactAnsi, *shortNamesInUse, narrow);
}

bool NarrowEntryName(const std::u16string& folder, const std::u16string& name,
                     std::string* narrow) {
    return NarrowPath(name, &ExactAnsi, EntryShortNames(folder), narrow);
}

std::string NarrowShownText(const std::u16string& text, char replacement) {
    return NarrowWithReplacement(text, &ExactAnsi, replacement);
}

void ReplaceShortNames(const ShortNames* shortNames) {
    shortNamesInUse = shortNames ? shortNames : &kFileSystemShortNames;
}

}  // namespace wendle
