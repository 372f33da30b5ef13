#include "win/system_rules.h"

#include <windows.h>

#include <vector>

#include "win/system_library.h"

namespace wendle {

namespace {

PathRules& Rules() {
    static PathRules rules;
    return rules;
}

std::string FileNameCase(const std::string& text, bool upper) {
    const PathRules& rules = Rules();
    if (rules.DoubleByte()) {
        return upper ? rules.UpperCaseDoubleByte(text) : rules.LowerCaseDoubleByte(text);
    }
    std::string out = text;
    if (!out.empty()) {
        const DWORD n = static_cast<DWORD>(out.size());
        upper ? CharUpperBuffA(&out[0], n) : CharLowerBuffA(&out[0], n);
    }
    return out;
}

}  // namespace

void SetUpPathRules() {
    bool doubleByte = GetSystemMetrics(SM_DBCSENABLED) != 0;
    CPINFO info = {};
    // A failed query leaves the ranges zero: a double-byte flag with no lead bytes.
    if (doubleByte) GetCPInfo(CP_ACP, &info);
    Rules() = PathRules::FromSystem(doubleByte, info.LeadByte);
}

const PathRules& SystemPathRules() {
    return Rules();
}

std::string LowerFileName(const std::string& text) {
    return FileNameCase(text, false);
}

std::string UpperFileName(const std::string& text) {
    return FileNameCase(text, true);
}

std::string NameSortKey(const std::string& name) {
    char key[512];
    const int length = static_cast<int>(name.size());
    int n = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, name.data(), length,
                         key, sizeof key);
    if (n > 0) return std::string(key, static_cast<std::size_t>(n));
    std::string longer(
        static_cast<std::size_t>(LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE,
                                              name.data(), length, nullptr, 0)),
        '\0');
    if (longer.empty()) return name;
    LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, name.data(), length,
                 &longer[0], static_cast<int>(longer.size()));
    return longer;
}

std::string SameFileNameKey(const std::string& name) {
    const int length = static_cast<int>(name.size());
    std::vector<wchar_t> wide(name.size() + 1);
    const int n = MultiByteToWideChar(CP_ACP, 0, name.data(), length, wide.data(), length);
    CharUpperBuffW(wide.data(), static_cast<DWORD>(n));
    return std::string(reinterpret_cast<const char*>(wide.data()),
                       static_cast<std::size_t>(n) * sizeof(wchar_t));
}

std::size_t LogicalProcessors() {
    // Every processor group (Windows 7 and later); GetSystemInfo sees only
    // the program's own group of at most 64.
    using Count = DWORD(WINAPI*)(WORD);
    if (const auto count = SystemFunction<Count>("kernel32.dll", "GetActiveProcessorCount")) {
        if (const DWORD n = count(ALL_PROCESSOR_GROUPS)) return n;
    }
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    return info.dwNumberOfProcessors > 0 ? info.dwNumberOfProcessors : 1;
}

}  // namespace wendle
