// Start-up: from CreateProcess to the program's main window shown with the
// program idle in its message loop, for wendle.exe against bare_window.exe
// (one plain window) in the same run. Prints both medians and their ratio;
// the target is 1.2 or less.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/version.h"

namespace {

const int kRounds = 15;
const DWORD kTimeoutMs = 20000;

struct Program {
    const char* file;
    const char* title;  // of the main window that counts as shown
};

const Program kWendle{"wendle.exe", wendle::kVersionName};
const Program kBare{"bare_window.exe", "Bare window"};

std::string ProgramDir() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, n);
    return dir.substr(0, dir.find_last_of('\\'));
}

struct Search {
    DWORD process;
    const char* title;
    HWND found;
};

BOOL CALLBACK FindShown(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process || !IsWindowVisible(window)) return TRUE;
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    if (std::string(text) != search->title) return TRUE;
    search->found = window;
    return FALSE;
}

HWND ShownWindow(DWORD process, const char* title) {
    Search search{process, title, nullptr};
    EnumWindows(&FindShown, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / frequency.QuadPart;
}

// Starts the program in its own folder, times it until its window is shown
// and it waits for input, then closes it. Negative when it did not get there.
double TimeStartUp(const Program& program) {
    const std::string dir = ProgramDir();
    std::string commandLine = "\"" + dir + "\\" + program.file + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    LARGE_INTEGER start, shown;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(),
                        &startup, &info)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", program.file, GetLastError());
        return -1;
    }
    HWND window = nullptr;
    const DWORD idle = WaitForInputIdle(info.hProcess, kTimeoutMs);
    const DWORD begin = GetTickCount();
    while (idle == 0 && !(window = ShownWindow(info.dwProcessId, program.title)) &&
           GetTickCount() - begin < kTimeoutMs) {
        Sleep(1);
    }
    QueryPerformanceCounter(&shown);
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, kTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, kTimeoutMs);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    if (!window) {
        std::fprintf(stderr, "%s: no shown, idle window \"%s\"\n", program.file, program.title);
        return -1;
    }
    return Seconds(start, shown);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main() {
    // Once each, unmeasured: the first start loads what later ones find in caches.
    if (TimeStartUp(kBare) < 0 || TimeStartUp(kWendle) < 0) return 1;

    // Paired rounds in alternating order, so that load from elsewhere falls
    // on both programs alike.
    std::vector<double> bare, wendle, ratios;
    for (int round = 0; round < kRounds; ++round) {
        const bool bareFirst = round % 2 == 0;
        const double first = TimeStartUp(bareFirst ? kBare : kWendle);
        const double second = TimeStartUp(bareFirst ? kWendle : kBare);
        if (first < 0 || second < 0) return 1;
        bare.push_back(bareFirst ? first : second);
        wendle.push_back(bareFirst ? second : first);
        ratios.push_back(wendle.back() / bare.back());
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("bare window (median of %d): %8.1f ms\n", kRounds, Median(bare) * 1000);
    std::printf("wendle (median of %d):      %8.1f ms\n", kRounds, Median(wendle) * 1000);
    std::printf("ratio wendle / bare:        %8.2f median, %.2f to %.2f (target 1.20 or less)\n",
                ratios[kRounds / 2], ratios.front(), ratios.back());
    return 0;
}
