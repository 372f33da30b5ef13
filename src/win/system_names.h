// Names the system gives read wide and turned into the program's paths by the
// exact conversion of the code page, with short names where that fails.
#pragma once

#include <windows.h>

#include <string>

#include "core/wide_names.h"

namespace wendle {

std::u16string ToU16(const std::wstring& text);
std::wstring ToWide(const std::u16string& text);
// A path of the program's (exact by its making) as the wide functions take it.
std::wstring WideFromAnsi(const std::string& text);

// The code page's exact bytes, checked by converting them back.
bool ExactAnsi(const std::u16string& wide, std::string* bytes);

// The program's path for a full wide path; false when a part that the code
// page cannot write has no short name that it can.
bool NarrowSystemPath(const std::wstring& path, std::string* narrow);
// The program's name for an entry of a wide folder: its exact bytes, else its
// short name's; false when it has neither.
bool NarrowEntryName(const std::wstring& folder, const std::wstring& name, std::string* narrow);
// A name as shown: each character the code page cannot write as `replacement`.
std::string NarrowShownText(const std::wstring& text, char replacement);

// Where a volume has no short names; an empty lookup puts the file system's back.
void ReplaceShortNameLookup(ShortNameLookup lookup);

}  // namespace wendle
