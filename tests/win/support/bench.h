// What every Windows test shares: the bench's folders, bounded waits, hex.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/bytes.h"

namespace bench {

// Shift-JIS bytes as UTF-16, for the wide functions.
std::wstring Wide(const std::string& bytes);

// The folder that holds the test programs, wendle.exe and oggenc_double.exe.
std::string ProgramDir();

// A new empty folder C:\wendle-tests\<current test>\<leaf> (removed first
// when it exists), without a trailing backslash.
std::string FreshFolder(const std::string& leaf = "");

// Creates a file with the given bytes; true on success.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool ReadFileBytes(const std::string& path, std::string* bytes);
bool CopyProgram(const std::string& fromName, const std::string& toPath);
bool Exists(const std::string& path);
// This process's current directory; empty when it is longer than MAX_PATH.
std::string CurrentDirectory();

// A 16-bit PCM WAVE file of a 440 Hz tone.
std::string Wave(unsigned channels, unsigned rate, unsigned milliseconds);
// The WAVE file with a LIST INFO chunk after its audio holding the items
// ("INAM" the title, "IART" the artist...), their bytes as given.
std::string WithInfo(const std::string& wave,
                     const std::vector<std::pair<std::string, std::string>>& items);

// Polls the condition every few milliseconds, pumping this thread's messages,
// until it holds or the timeout passes. Never a blind sleep.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 15000);

// Runs `work` on a thread of its own until Join. A system thread: the i686
// build's win32 thread model has no std::thread.
class HelperThread {
  public:
    explicit HelperThread(std::function<void()> work);
    ~HelperThread() { Join(); }
    HelperThread(const HelperThread&) = delete;
    HelperThread& operator=(const HelperThread&) = delete;
    void Join();

  private:
    static DWORD WINAPI Run(void* self);
    std::function<void()> work_;
    HANDLE handle_;
};

}  // namespace bench
