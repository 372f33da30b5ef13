#include "win/system_rules.h"

#include <windows.h>

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

}  // namespace wendle
