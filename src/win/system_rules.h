// The system's double-byte rules, fixed once at start-up before any window.
#pragma once

#include <cstddef>
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

// The locale's sort key ignoring case: comparing keys as bytes orders names
// as CompareStringA with NORM_IGNORECASE does, at a fraction of the cost.
std::string NameSortKey(const std::string& name);
// Equal for two names the file system takes for one: every letter it folds
// (full-width and Greek ones too), not only the Latin ones.
std::string SameFileNameKey(const std::string& name);

// The logical processors the program may run on, at least one.
std::size_t LogicalProcessors();

}  // namespace wendle
