// DLLs come from the system folder only: never from the program's folder or
// the current directory, where anyone may have put a file of the same name.
#pragma once

#include <windows.h>

namespace wendle {

// Called at start-up before any DLL is loaded, once the path rules are set up
// (the system folder's path is joined by them): where kernel32 offers it,
// later loads (and the DLLs they bring) search the system folder only.
void KeepDllSearchInSystemFolder();

// Loads a DLL of the system folder by its full path; null when it is missing.
HMODULE LoadSystemLibrary(const char* name);

// A function of such a DLL, or null: the one lookup of a function by name.
// The module stays loaded. Through void*, so that no function-pointer type is
// cast to another.
template <class Function>
Function SystemFunction(const char* library, const char* name) {
    HMODULE module = LoadSystemLibrary(library);
    FARPROC found = module ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}

}  // namespace wendle
