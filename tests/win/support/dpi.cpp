#include "support/dpi.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace bench {

namespace {

const char kDesktop[] = "Control Panel\\Desktop";
const char kLogPixels[] = "LogPixels";
const char kAskedDpi[] = "WENDLE_TEST_DPI";
const char kReadEvent[] = "WendleTestDpiRead";

}  // namespace

LogPixelsSet::LogPixelsSet(int dpi) {
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktop, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key_) !=
        ERROR_SUCCESS) {
        ADD_FAILURE() << "cannot open HKCU\\" << kDesktop;
        key_ = nullptr;
        return;
    }
    DWORD type = 0;
    DWORD size = sizeof previous_;
    hadValue_ = RegQueryValueExA(key_, kLogPixels, nullptr, &type,
                                 reinterpret_cast<BYTE*>(&previous_), &size) == ERROR_SUCCESS &&
                type == REG_DWORD;
    const DWORD value = static_cast<DWORD>(dpi);
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key_, kLogPixels, 0, REG_DWORD,
                                            reinterpret_cast<const BYTE*>(&value), sizeof value));
}

LogPixelsSet::~LogPixelsSet() {
    if (!key_) return;
    if (hadValue_) {
        RegSetValueExA(key_, kLogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&previous_),
                       sizeof previous_);
    } else {
        RegDeleteValueA(key_, kLogPixels);
    }
    RegCloseKey(key_);
}

int RunSelfAtDpi(int dpi, const std::string& filter) {
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string commandLine =
        "\"" + std::string(self, length) + "\" \"--gtest_filter=" + filter + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    HANDLE read = CreateEventA(nullptr, TRUE, FALSE, kReadEvent);
    SetEnvironmentVariableA(kAskedDpi, std::to_string(dpi).c_str());
    BOOL started;
    {
        LogPixelsSet set(dpi);
        started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                                 nullptr, &startup, &process);
        if (started) {
            const HANDLE either[] = {read, process.hProcess};
            WaitForMultipleObjects(2, either, FALSE, 60000);
        }
    }
    SetEnvironmentVariableA(kAskedDpi, nullptr);
    CloseHandle(read);
    if (!started) return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 300000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    } else {
        TerminateProcess(process.hProcess, code);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

int AskedDpi() {
    char value[16] = {};
    if (!GetEnvironmentVariableA(kAskedDpi, value, sizeof value)) return 0;
    return std::atoi(value);
}

void DpiRead() {
    if (HANDLE read = OpenEventA(EVENT_MODIFY_STATE, FALSE, kReadEvent)) {
        SetEvent(read);
        CloseHandle(read);
    }
}

}  // namespace bench
