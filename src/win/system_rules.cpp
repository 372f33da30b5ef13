#include "win/system_rules.h"

#include <windows.h>

namespace wendle {

namespace {

PathRules& Rules() {
    static PathRules rules;
    return rules;
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

}  // namespace wendle
