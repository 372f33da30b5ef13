// Program entry: the DLL search, the double-byte rules, the application, the
// main window and the message loop. Wendle takes no command-line arguments.
#include <windows.h>

#include <string>

#include "win/application.h"
#include "main/program_strings.h"
#include "main/main_window.h"
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

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace wendle;
    // Before anything loads a DLL.
    KeepDllSearchInSystemFolder();
    SetUpPathRules();
    App().SetTitle("Wendle");
    if (!App().Initialize(instance)) return StartUpFailed(GetLastError());
    int code = 0;
    bool started = false;
    DWORD failure = 0;
    {
        MainWindow mainWindow;
        AboutWindow aboutWindow;
        started = mainWindow.Create() && aboutWindow.Create();
        if (started) {
            mainWindow.SetAboutWindow(&aboutWindow);
            code = App().Run();
        } else {
            failure = GetLastError();
        }
    }
    EncoderPath.clear();
    CommandLine.clear();
    // Shown once the half-made windows are gone.
    if (!started) return StartUpFailed(failure);
    return code;
}
