// The program's own arguments out of its command line, split as the C runtime
// splits them for main's argv, trail bytes 0x5C included.
#pragma once

#include <string>
#include <vector>

#include "core/path_rules.h"

namespace wendle {

// The arguments after the program's name (which quotes only group). Blanks
// and tabs outside double quotes separate arguments; 2n backslashes before a
// quote give n and the quote opens or closes quoting, 2n+1 give n and a
// literal quote; "" inside quotes gives one quote. A double-byte character
// is never split, so its trail byte 0x5C is no backslash.
std::vector<std::string> ProgramArguments(const std::string& commandLine, const PathRules& rules);
// The same rule over the wide command line, where every unit is a character.
std::vector<std::u16string> ProgramArguments(const std::u16string& commandLine);

}  // namespace wendle
