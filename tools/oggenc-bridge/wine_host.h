// What Wine offers a Windows program about the host it runs on: host paths of
// Windows paths, and host programs run to their end.
#pragma once

#include <string>
#include <vector>

namespace bridge {

class WineHost {
  public:
    // Available() is false when the program does not run under Wine.
    WineHost();
    bool Available() const { return spawn_ != nullptr && unixFileName_ != nullptr; }

    // The host path (UTF-8) of a Windows path (UTF-8, relative to the
    // current directory or absolute); empty when it has none.
    std::string HostPath(const std::string& windowsPath) const;
    std::string CurrentHostFolder() const;

    // Runs a host program found on the host's PATH and waits for its end.
    // Its exit code; negative when it could not start or was ended by a signal.
    long Run(const std::vector<std::string>& argv) const;

  private:
    using Spawn = long(__cdecl*)(char* const* argv, int wait);
    using UnixFileName = char*(__stdcall*)(const wchar_t* dosName);
    Spawn spawn_ = nullptr;
    UnixFileName unixFileName_ = nullptr;
};

// Texts between the system's ANSI code page and UTF-8.
std::string AnsiToUtf8(const std::string& text);
std::string Utf8(const std::wstring& text);

}  // namespace bridge
