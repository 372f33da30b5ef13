// Program entry.
#include <windows.h>

#include "app/program.h"
#include "win/system_drives.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return wendle::RunProgram(instance, wendle::SystemDrives());
}
