// What a name typed by the user may be: an output file name is one name in
// the output folder, never a path; a new folder is made inside the shown one.
// Characters are judged whole: a trail byte 0x5C (表 = 95 5C) is no backslash.
#pragma once

#include <string>

#include "core/path_rules.h"

namespace wendle {

// \ / : * ? " < > | and the control characters, as single-byte characters.
bool IsForbiddenInName(unsigned char c);

// The text without its forbidden single-byte characters.
std::string WithoutForbiddenCharacters(const std::string& text, const PathRules& rules);

// CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9 and the console's CONIN$ and
// CONOUT$ in any case, as the whole name or as the part before its first dot,
// with blanks before that dot ignored, as Windows reads them.
bool IsDeviceName(const std::string& name, const PathRules& rules);

enum class NameFault { None, Character, Device, Ending };

// Why Windows would not write a file of exactly this name in the output folder.
NameFault CheckFileName(const std::string& name, const PathRules& rules);

// The output path is the folder and the name: a colon or backslash in the
// name belongs to the name. A path that does not end in the name is cut at
// its own last delimiter.
std::string OutputFolderOf(const std::string& path, const std::string& name,
                           const PathRules& rules);

// A relative path of plain names below the shown folder (sub\new), at most
// one trailing backslash: no drive, no root, no UNC, no "." or ".." parts.
bool IsNewFolderName(const std::string& name, const PathRules& rules);

}  // namespace wendle
