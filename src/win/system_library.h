// DLLs come from the system folder only: never from the program's folder or
// the current directory, where anyone may have put a file of the same name.
#pragma once

#include <windows.h>

namespace wendle {

// Called first thing at start-up: where kernel32 offers it, later loads (and
// the DLLs they bring) search the system folder only.
void KeepDllSearchInSystemFolder();

// Loads a DLL of the system folder by its full path; null when it is missing.
HMODULE LoadSystemLibrary(const char* name);

// A function of such a DLL, or null. The module stays loaded.
template <class Function>
Function SystemFunction(const char* library, const char* name) {
    HMODULE module = LoadSystemLibrary(library);
    FARPROC found = module ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}

}  // namespace wendle
