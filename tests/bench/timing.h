// The clock and the middle value every benchmark reports its ratios with,
// and the encoder timed alone, the baseline of the job and the batch.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace bench_timing {

inline double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / frequency.QuadPart;
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The encoder started as Wendle starts it, in the folder given, without
// Wendle; its seconds, or -1 when it could not start, timed out or failed.
inline double EncoderAlone(const std::string& commandLine, const std::string& folder,
                           DWORD timeoutMs) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    const double start = Now();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE,
                        CREATE_NO_WINDOW | NORMAL_PRIORITY_CLASS, nullptr, folder.c_str(), &startup,
                        &process)) {
        return -1;
    }
    const bool ended = WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0;
    const double seconds = Now() - start;
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ended && exitCode == 0 ? seconds : -1;
}

}  // namespace bench_timing
