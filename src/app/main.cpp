// Program entry: the DLL search, the double-byte rules, the application, the
// main window and the message loop. Wendle takes no command-line arguments.
#include <windows.h>

#include "app/application.h"
#include "app/program_strings.h"
#include "main/main_window.h"
#include "widgets/about_window.h"
#include "paths/system_rules.h"
#include "widgets/system_library.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace wendle;
    // Before anything loads a DLL.
    KeepDllSearchInSystemFolder();
    SetUpPathRules();
    App().SetTitle("Wendle");
    App().Initialize(instance);
    int code = 0;
    {
        TMainWindow mainWindow;
        mainWindow.Create();
        TAboutWindow aboutWindow;
        aboutWindow.Create();
        mainWindow.SetAboutWindow(&aboutWindow);
        code = App().Run();
    }
    EncoderPath.clear();
    CommandLine.clear();
    return code;
}
