// DLLs come from the system folder only: copies planted beside wendle.exe
// under the names of the DLLs it loads when running, which Wine is told to
// prefer to its own, are never loaded.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "main/main_ids.h"
#include "support/bench.h"
#include "support/windows.h"

namespace {

using namespace wendle;

const char* const kPlanted[] = {"mpr", "comdlg32"};

// Wine takes a DLL of these names from beside the program first, as Windows
// does with any DLL that is not a known one; for this program only.
class PreferPlanted {
  public:
    explicit PreferPlanted(const std::string& program)
        : key_("Software\\Wine\\AppDefaults\\" + program) {
        HKEY overrides = nullptr;
        EXPECT_EQ(ERROR_SUCCESS,
                  RegCreateKeyExA(HKEY_CURRENT_USER, (key_ + "\\DllOverrides").c_str(), 0, nullptr,
                                  0, KEY_SET_VALUE, nullptr, &overrides, nullptr));
        const char kOrder[] = "native,builtin";
        for (const char* name : kPlanted) {
            RegSetValueExA(overrides, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(kOrder),
                           sizeof kOrder);
        }
        RegCloseKey(overrides);
    }
    ~PreferPlanted() { RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str()); }
    PreferPlanted(const PreferPlanted&) = delete;
    PreferPlanted& operator=(const PreferPlanted&) = delete;

  private:
    std::string key_;
};

// Runs a program to its end in the folder; its exit code, or -1.
long RunToEnd(const std::string& commandLine, const std::string& folder) {
    std::string line = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        folder.c_str(), &startup, &process)) {
        return -1;
    }
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<long>(code);
}

// Started in the folder, so that the planted files lie in its own folder and
// in the current directory: it lists the drives (a network one among them),
// opens the file dialog and moves to another drive.
void UseTheCopy(const std::string& folder) {
    PreferPlanted prefer("wendle.exe");
    bench::Wendle wendle(folder, folder + "\\wendle.exe");
    ASSERT_TRUE(wendle.Running());
    // The network drive's connection has been asked for.
    ASSERT_TRUE(bench::WaitForDriveTexts(wendle.Control(kDriveChooserId)));
    wendle.Click(kInputFileOpenId);
    HWND dialog = nullptr;
    ASSERT_TRUE(bench::WaitUntil([&] {
        const auto dialogs = bench::TopLevelWindows(wendle.ProcessId(), "#32770");
        dialog = dialogs.empty() ? nullptr : dialogs.front();
        return dialog != nullptr && GetDlgItem(dialog, IDCANCEL) != nullptr;
    }));
    PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    ASSERT_TRUE(bench::WaitUntil([&] { return !IsWindow(dialog); }));

    const std::string before = wendle.Text(kDriveChooserId);
    PostMessageA(wendle.Control(kDriveChooserId), WM_KEYDOWN, VK_DOWN, 1);
    ASSERT_TRUE(bench::Settled(wendle.MainWindow()));
    EXPECT_NE(before, wendle.Text(kDriveChooserId));
}

TEST(DllSearch, DllsPlantedBesideTheProgramAreNeverLoaded) {
    const std::string folder = bench::FreshFolder();
    ASSERT_TRUE(bench::CopyProgram("wendle.exe", folder + "\\wendle.exe"));
    ASSERT_TRUE(bench::CopyProgram("bare_name_loader.exe", folder + "\\bare_name_loader.exe"));
    for (const char* name : kPlanted) {
        ASSERT_TRUE(bench::CopyProgram("planted.dll", folder + "\\" + name + ".dll"));
    }
    auto loaded = [&](const char* name) {
        return bench::Exists(folder + "\\" + name + ".dll.loaded");
    };

    UseTheCopy(folder);
    for (const char* name : kPlanted) EXPECT_FALSE(loaded(name)) << name;

    // The plant works: a program that loads them by bare name gets them.
    PreferPlanted prefer("bare_name_loader.exe");
    for (const char* name : kPlanted) {
        EXPECT_EQ(0, RunToEnd("\"" + folder + "\\bare_name_loader.exe\" " + name + ".dll", folder));
        EXPECT_TRUE(loaded(name)) << name;
    }
}

}  // namespace
