// The program's own arguments out of its command line, split as the C runtime
// splits them for main's argv, trail bytes 0x5C included.
#pragma once

#include <string>

#include "core/path_rules.h"

namespace wendle {

// Where the arguments start in a command line: after the program's name,
// which quotes only group.
const char* AfterProgramName(const char* commandLine, const PathRules& rules);

// Reads the argument after the blanks at `from` and returns where it ends;
// null when only blanks are left. Blanks and tabs outside double quotes
// separate arguments; 2n backslashes before a quote give n and the quote
// opens or closes quoting, 2n+1 give n and a literal quote; "" inside quotes
// gives one quote. A double-byte character is never split, so its trail byte
// 0x5C is no backslash.
const char* NextArgument(const char* from, std::string& argument, const PathRules& rules);

}  // namespace wendle
