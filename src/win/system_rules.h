// The system's double-byte rules, fixed once at start-up before any window.
#pragma once

#include "core/path_rules.h"

namespace wendle {

// Reads SM_DBCSENABLED and the ANSI code page's lead-byte ranges; call once.
void SetUpPathRules();
// The rules set up at start-up (single-byte until SetUpPathRules ran).
const PathRules& SystemPathRules();

}  // namespace wendle
