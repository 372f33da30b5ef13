// Programs of the bench at another DPI: Wine reads the prefix's LogPixels
// once, when a process starts, so a program started while it is set runs at
// that DPI, and every other keeps the bench's 96.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

// LogPixels of the prefix set while this lives; the value it had, or none,
// comes back after.
class LogPixelsSet {
  public:
    explicit LogPixelsSet(int dpi);
    ~LogPixelsSet();
    LogPixelsSet(const LogPixelsSet&) = delete;
    LogPixelsSet& operator=(const LogPixelsSet&) = delete;

  private:
    HKEY key_ = nullptr;
    DWORD previous_ = 0;
    bool hadValue_ = false;
};

// This test program again, with only the cases the filter names, started
// at that DPI; its output goes where this one's does. LogPixels is set until
// the program says it has read it (DpiRead) or ends. Its exit code, or -1
// when it could not be started or did not end within five minutes.
int RunSelfAtDpi(int dpi, const std::string& filter);

// In such a program: the DPI it was started at; 0 in any other.
int AskedDpi();
// Tells the program that started this one that LogPixels can go back.
void DpiRead();

}  // namespace bench
