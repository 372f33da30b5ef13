// The main window's menu bar, made from its table.
#pragma once

#include <windows.h>

namespace wendle {

HMENU CreateMainMenu();

}  // namespace wendle
