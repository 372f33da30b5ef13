// The system's double-byte rules, fixed once at start-up before any window.
#pragma once

#include <string>

#include "core/path_rules.h"

namespace wendle {

// Reads SM_DBCSENABLED and the ANSI code page's lead-byte ranges; call once.
void SetUpPathRules();
// The rules set up at start-up (single-byte until SetUpPathRules ran).
const PathRules& SystemPathRules();

// A file name in lower or upper case: on a double-byte system only the Latin
// letters change, elsewhere the code page's own mapping applies.
std::string LowerFileName(const std::string& text);
std::string UpperFileName(const std::string& text);

}  // namespace wendle
