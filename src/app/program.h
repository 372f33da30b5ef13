// The program from its entry to its end: the double-byte rules, the DLL
// search, the application, the main window and the message loop. The first
// argument, if any, names the input file.
#pragma once

#include <windows.h>

#include "core/drive_items.h"

namespace wendle {

// `drives` answers the drive chooser's queries and lives as long as the
// program. The program's exit code.
int RunProgram(HINSTANCE instance, DriveQueries& drives);

}  // namespace wendle
