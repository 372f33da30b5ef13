// Around a query of a drive: a removable drive without a medium fails the
// query instead of asking the user to insert one. The old mode comes back after.
#pragma once

#include <windows.h>

namespace wendle {

class CriticalErrorsQuiet {
  public:
    // The thread's own mode where the system has one (Windows 7 and later):
    // drive texts are read on a thread of their own, and two threads setting
    // and restoring the process's mode could leave it in the other's state.
    CriticalErrorsQuiet();
    ~CriticalErrorsQuiet();
    CriticalErrorsQuiet(const CriticalErrorsQuiet&) = delete;
    CriticalErrorsQuiet& operator=(const CriticalErrorsQuiet&) = delete;

  private:
    using SetThreadModeFunction = BOOL(WINAPI*)(DWORD, LPDWORD);
    SetThreadModeFunction setThreadMode_;
    DWORD previous_ = 0;
};

}  // namespace wendle
