#include "wine_host.h"

#include <windows.h>

namespace bridge {

namespace {

std::wstring Wide(const std::string& text, UINT codePage) {
    if (text.empty()) return std::wstring();
    int n =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return wide;
}

}  // namespace

std::string Utf8(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string text(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &text[0], n,
                        nullptr, nullptr);
    return text;
}

namespace {

template <typename Function>
Function Export(const char* module, const char* name) {
    HMODULE handle = GetModuleHandleA(module);
    return handle
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name)))
               : nullptr;
}

}  // namespace

std::string AnsiToUtf8(const std::string& text) {
    return Utf8(Wide(text, CP_ACP));
}

WineHost::WineHost()
    : spawn_(Export<Spawn>("ntdll.dll", "__wine_unix_spawnvp")),
      unixFileName_(Export<UnixFileName>("kernel32.dll", "wine_get_unix_file_name")) {}

std::string WineHost::HostPath(const std::string& windowsPath) const {
    if (!unixFileName_ || windowsPath.empty()) return std::string();
    const std::wstring path = Wide(windowsPath, CP_UTF8);
    DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) return std::string();
    std::wstring full(n, L'\0');
    n = GetFullPathNameW(path.c_str(), n, &full[0], nullptr);
    full.resize(n);
    // Wine finds existing names whatever their case; the last part may be new.
    char* host = unixFileName_(full.c_str());
    if (!host) return std::string();
    std::string result = host;
    HeapFree(GetProcessHeap(), 0, host);
    return result;
}

std::string WineHost::CurrentHostFolder() const {
    wchar_t folder[MAX_PATH * 4];
    DWORD n = GetCurrentDirectoryW(sizeof folder / sizeof folder[0], folder);
    if (n == 0 || n >= sizeof folder / sizeof folder[0]) return std::string();
    return HostPath(Utf8(std::wstring(folder, n)));
}

long WineHost::Run(const std::vector<std::string>& argv) const {
    if (!spawn_) return -1;
    std::vector<std::string> copies(argv);
    std::vector<char*> pointers;
    for (std::string& arg : copies) pointers.push_back(&arg[0]);
    pointers.push_back(nullptr);
    // Unlike a host program started with CreateProcess, which no handle
    // waits for, this returns when the program has ended: its exit code, or
    // an NTSTATUS when it could not be started.
    const long status = spawn_(pointers.data(), 1);
    return status >= 0 && status <= 255 ? status : -1;
}

}  // namespace bridge
