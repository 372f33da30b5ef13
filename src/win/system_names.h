// Names the system gives read wide and turned into the program's paths by the
// exact conversion of the code page, with short names where that fails. Wide
// text is std::u16string here: std::wstring would link the runtime's whole
// wide-string instantiation (about 40 KiB) into the shipped program.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/wide_names.h"

namespace wendle {

// Between the system's wchar_t and the program's char16_t: the same units.
std::u16string FromWide(const wchar_t* text);
std::u16string FromWide(const wchar_t* text, std::size_t length);
// A zero-terminated copy for the wide functions.
std::vector<wchar_t> ToWide(const std::u16string& text);
// A path of the program's (exact by its making) as the wide functions take it.
std::u16string WideFromAnsi(const std::string& text);

// The code page's exact bytes, checked by converting them back.
bool ExactAnsi(const std::u16string& wide, std::string* bytes);
bool ExactAnsi(const wchar_t* wide, std::size_t length, std::string* bytes);

// The program's path for a full wide path; false when a part that the code
// page cannot write has no short name that it can.
bool NarrowSystemPath(const std::u16string& path, std::string* narrow);
// The program's name for an entry of a wide folder: its exact bytes, else its
// short name's; false when it has neither.
bool NarrowEntryName(const std::u16string& folder, const std::u16string& name, std::string* narrow);
// A name as shown: each character the code page cannot write as `replacement`.
std::string NarrowShownText(const std::u16string& text, char replacement);

// Where a volume has no short names; null puts the file system's back.
void ReplaceShortNames(const ShortNames* shortNames);

}  // namespace wendle
