#include "win/system_library.h"

#include <string>

#include "core/folder_items.h"
#include "win/system_rules.h"

namespace wendle {

namespace {

constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
using SetDllDirectoryFunction = BOOL(WINAPI*)(LPCSTR);

}  // namespace

void KeepDllSearchInSystemFolder() {
    // Looked up, not imported: older systems lack these, and must still start.
    if (auto setDefault = SystemFunction<SetDefaultDllDirectoriesFunction>(
            "kernel32.dll", "SetDefaultDllDirectories")) {
        setDefault(kSearchSystem32);
    }
    // Takes the current directory out of the search, where the above is missing.
    if (auto setDirectory =
            SystemFunction<SetDllDirectoryFunction>("kernel32.dll", "SetDllDirectoryA")) {
        setDirectory("");
    }
}

HMODULE LoadSystemLibrary(const char* name) {
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::string path = JoinPath(std::string(folder, length), name, SystemPathRules());
    // The DLLs it brings are looked for beside it first, in the system folder.
    return LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace wendle
