// Around a query of a drive: a removable drive without a medium fails the
// query instead of asking the user to insert one. The old mode comes back after.
#pragma once

#include <windows.h>

namespace wendle {

class CriticalErrorsQuiet {
  public:
    CriticalErrorsQuiet() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~CriticalErrorsQuiet() { SetErrorMode(previous_); }
    CriticalErrorsQuiet(const CriticalErrorsQuiet&) = delete;
    CriticalErrorsQuiet& operator=(const CriticalErrorsQuiet&) = delete;

  private:
    UINT previous_;
};

}  // namespace wendle
