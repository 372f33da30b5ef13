#include "app/program.h"

#include <string>
#include <vector>

#include "core/command_arguments.h"

#include "win/application.h"
#include "main/main_window.h"
#include "win/system_names.h"
#include "win/system_rules.h"
#include "dialogs/about_window.h"
#include "win/fallback_box.h"
#include "win/system_library.h"

namespace {

// A program without its windows must not run half-built: say so and stop.
int StartUpFailed(DWORD error) {
    wendle::ShowFallbackError("ｳｨﾝﾄﾞｳを作成できません (" + std::to_string(error) + ")");
    return 1;
}

// The arguments as full wide paths against the start-up folder. Wide: the
// ANSI command line holds look-alikes of the characters the code page cannot
// write. Empty where an argument has no full path.
std::vector<std::u16string> InputFileArguments() {
    std::vector<std::u16string> paths;
    for (const std::u16string& given :
         wendle::ProgramArguments(wendle::FromWide(GetCommandLineW()))) {
        const std::vector<wchar_t> argument = wendle::ToWide(given);
        std::vector<wchar_t> full(MAX_PATH);
        DWORD length = GetFullPathNameW(argument.data(), MAX_PATH, full.data(), nullptr);
        if (length >= MAX_PATH) {
            full.resize(length);
            length = GetFullPathNameW(argument.data(), length, full.data(), nullptr);
        }
        paths.push_back(wendle::FromWide(full.data(), length < full.size() ? length : 0));
    }
    return paths;
}

}  // namespace

namespace wendle {

int RunProgram(HINSTANCE instance, DriveQueries& drives) {
    SetUpPathRules();
    // Before anything loads a DLL.
    KeepDllSearchInSystemFolder();
    // Read before anything can change the current directory.
    const std::vector<std::u16string> inputFiles = InputFileArguments();
    App().SetTitle("Wendle");
    if (!App().Initialize(instance)) return StartUpFailed(GetLastError());
    int code = 0;
    bool started = false;
    DWORD failure = 0;
    try {
        MainWindow mainWindow(drives);
        AboutWindow aboutWindow;
        started = mainWindow.Create() && aboutWindow.Create();
        if (started) {
            mainWindow.SetAboutWindow(&aboutWindow);
            if (!inputFiles.empty()) {
                RunHandler([&] { mainWindow.StartWithInputFiles(inputFiles); });
            }
            code = App().Run();
        } else {
            failure = GetLastError();
        }
    } catch (...) {
        // Raised while the windows were made: the half-made ones are gone now.
        ShowCaughtFailure();
        code = 1;
    }
    // Shown once the half-made windows are gone.
    if (!started && code == 0) return StartUpFailed(failure);
    return code;
}

}  // namespace wendle
