// Rebuilding the folder list on a folder with 10,000 sub-folders and 10,000
// files, against a bare FindFirstFileA/FindNextFileA walk of the same folder
// in the same run. Prints both times and their ratio; the target is 1.5 or less.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "win/application.h"
#include "win/system_rules.h"
#include "win/window.h"
#include "widgets/folder_list.h"

namespace {

const int kFolders = 10000;
const int kFiles = 10000;
const int kRounds = 11;

class Host : public wendle::Window {
  public:
    void Create() {
        RECT outer{40, 40, 40 + 260, 40 + 340};
        CreateBound({"WendleFolderListBench", 0, COLOR_BTNFACE}, 0, "Folder list bench",
                    WS_OVERLAPPEDWINDOW | WS_VISIBLE, outer, nullptr, nullptr);
    }
};

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / frequency.QuadPart;
}

// Made once and kept: the names mix cases and lengths so that sorting has work.
bool MakeTree(const std::string& folder) {
    const std::string done = folder + "\\complete.txt";
    if (GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    CreateDirectoryA("C:\\wendle-bench", nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    std::printf("making %d folders and %d files in %s\n", kFolders, kFiles, folder.c_str());
    char name[64];
    for (int i = 0; i < kFolders; ++i) {
        // A scattered order, so that names do not arrive sorted.
        unsigned n = (static_cast<unsigned>(i) * 7919u) % kFolders;
        std::snprintf(name, sizeof name, "\\%s%05u take", n % 3 ? "Track" : "track", n);
        if (!CreateDirectoryA((folder + name).c_str(), nullptr) &&
            GetLastError() != ERROR_ALREADY_EXISTS) {
            return false;
        }
    }
    for (int i = 0; i < kFiles; ++i) {
        std::snprintf(name, sizeof name, "\\take%05d.wav", i);
        HANDLE file = CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        CloseHandle(file);
    }
    HANDLE file = CreateFileA(done.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    CloseHandle(file);
    return file != INVALID_HANDLE_VALUE;
}

int Walk(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do ++count;
    while (FindNextFileA(search, &entry));
    FindClose(search);
    return count;
}

}  // namespace

int main() {
    const std::string folder = "C:\\wendle-bench\\folders10000";
    if (!MakeTree(folder)) {
        std::fprintf(stderr, "cannot make %s (error %lu)\n", folder.c_str(), GetLastError());
        return 1;
    }
    wendle::SetUpPathRules();
    wendle::App().Initialize(GetModuleHandleA(nullptr));
    SetCurrentDirectoryA(folder.c_str());
    Host host;
    host.Create();
    wendle::FolderList list;
    list.Create(host.Handle(), 100, 8, 8, 230, 280);

    // Paired rounds, in alternating order, so that load from elsewhere and
    // warm caches fall on both sides alike; the median ratio is the result.
    std::vector<double> walks;
    std::vector<double> rebuilds;
    std::vector<double> ratios;
    int entries = 0;
    for (int round = 0; round < kRounds; ++round) {
        LARGE_INTEGER t0, t1, t2, t3;
        const bool walkFirst = round % 2 == 0;
        QueryPerformanceCounter(&t0);
        if (walkFirst) entries = Walk(folder);
        QueryPerformanceCounter(&t1);
        list.Reload();
        UpdateWindow(list.Handle());  // the one redraw belongs to the rebuild
        QueryPerformanceCounter(&t2);
        if (!walkFirst) entries = Walk(folder);
        QueryPerformanceCounter(&t3);
        const double walk = walkFirst ? Seconds(t0, t1) : Seconds(t2, t3);
        const double rebuild = Seconds(t1, t2);
        walks.push_back(walk);
        rebuilds.push_back(rebuild);
        ratios.push_back(rebuild / walk);
    }
    std::sort(walks.begin(), walks.end());
    std::sort(rebuilds.begin(), rebuilds.end());
    std::sort(ratios.begin(), ratios.end());
    std::printf("entries walked: %d, items listed: %zu\n", entries, list.Items().size());
    std::printf("walk (median of %d):    %8.1f ms\n", kRounds, walks[kRounds / 2] * 1000);
    std::printf("rebuild (median of %d): %8.1f ms\n", kRounds, rebuilds[kRounds / 2] * 1000);
    std::printf("ratio rebuild / walk:   %8.2f median, %.2f to %.2f (target 1.50 or less)\n",
                ratios[kRounds / 2], ratios.front(), ratios.back());
    return 0;
}
