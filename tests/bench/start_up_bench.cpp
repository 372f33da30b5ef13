// Start-up: from CreateProcess to the program's main window shown with the
// program idle in its message loop, for wendle.exe against its floor,
// start_up_floor.exe (the same windows with nothing behind them), and
// against bare_window.exe (one plain window), in the same run. Prints the
// medians and the ratios; the targets are 1.05 or less over the floor and
// 1.2 or less over the bare window.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/version.h"

namespace {

const int kRounds = 21;
const DWORD kTimeoutMs = 20000;

struct Program {
    const char* file;
    const char* title;  // of the main window that counts as shown
};

const Program kWendle{"wendle.exe", wendle::kVersionName};
const Program kFloor{"start_up_floor.exe", wendle::kVersionName};
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
    const Program* const programs[] = {&kBare, &kFloor, &kWendle};
    const int kPrograms = 3;
    // Once each, unmeasured: the first start loads what later ones find in caches.
    for (const Program* program : programs) {
        if (TimeStartUp(*program) < 0) return 1;
    }

    // Rounds in rotating order, so that load from elsewhere falls on every
    // program alike; the ratios are taken within each round.
    std::vector<double> times[kPrograms], overFloor, overBare;
    for (int round = 0; round < kRounds; ++round) {
        double time[kPrograms];
        for (int step = 0; step < kPrograms; ++step) {
            const int which = (round + step) % kPrograms;
            time[which] = TimeStartUp(*programs[which]);
            if (time[which] < 0) return 1;
            times[which].push_back(time[which]);
        }
        overFloor.push_back(time[2] / time[1]);
        overBare.push_back(time[2] / time[0]);
    }
    std::sort(overFloor.begin(), overFloor.end());
    std::sort(overBare.begin(), overBare.end());
    std::printf("bare window (median of %d): %8.1f ms\n", kRounds, Median(times[0]) * 1000);
    std::printf("floor (median of %d):       %8.1f ms\n", kRounds, Median(times[1]) * 1000);
    std::printf("wendle (median of %d):      %8.1f ms\n", kRounds, Median(times[2]) * 1000);
    std::printf("ratio start-up / floor:     %8.2f median, %.2f to %.2f (target 1.05 or less)\n",
                overFloor[kRounds / 2], overFloor.front(), overFloor.back());
    std::printf("ratio wendle / bare:        %8.2f median, %.2f to %.2f (target 1.20 or less)\n",
                overBare[kRounds / 2], overBare.front(), overBare.back());
    return 0;
}
