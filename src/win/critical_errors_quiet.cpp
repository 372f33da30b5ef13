#include "win/critical_errors_quiet.h"

#include "win/system_library.h"

namespace wendle {

CriticalErrorsQuiet::CriticalErrorsQuiet()
    : setThreadMode_(SystemFunction<SetThreadModeFunction>("kernel32.dll", "SetThreadErrorMode")) {
    if (setThreadMode_ && setThreadMode_(SEM_FAILCRITICALERRORS, &previous_)) return;
    setThreadMode_ = nullptr;
    previous_ = SetErrorMode(SEM_FAILCRITICALERRORS);
}

CriticalErrorsQuiet::~CriticalErrorsQuiet() {
    if (setThreadMode_) {
        setThreadMode_(previous_, nullptr);
    } else {
        SetErrorMode(previous_);
    }
}

}  // namespace wendle
