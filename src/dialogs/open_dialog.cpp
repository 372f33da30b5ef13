#include "core/failure.h"
#include "dialogs/open_dialog.h"

#include <commdlg.h>

#include <string>

#include "win/other_windows_disabled.h"
#include "win/system_library.h"
#include "win/system_names.h"

namespace wendle {

namespace {

// The Explorer dialog's hook is a child of the dialog; once the dialog has
// finished initialising, place it centred across and at a third down.
UINT_PTR CALLBACK PlacementHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != CDN_INITDONE) return 0;
    HWND dialog = GetParent(hook);
    RECT outer;
    GetWindowRect(dialog, &outer);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 3, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

// Loaded when first needed: the common dialogs bring much of the shell with
// them, which would otherwise slow every start of the program.
template <class Function>
Function CommonDialogFunction(const char* name) {
    auto found = SystemFunction<Function>("comdlg32.dll", name);
    if (!found) throw Failure{std::string("comdlg32.dll has no ") + name};
    return found;
}

}  // namespace

bool OpenDialog::Execute(HWND owner) {
    // Wide: the ANSI dialog would hand back a look-alike of a name that the
    // code page cannot write.
    wchar_t file[MAX_PATH] = {};
    lstrcpynW(file, ToWide(fileName_).data(), MAX_PATH);

    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = L"WAVEファイル (*.wav)\0*.wav\0";
    request.nFilterIndex = 1;
    request.lpstrFile = file;
    request.nMaxFile = MAX_PATH;
    // No OFN_NOCHANGEDIR: the current directory follows the user's choice.
    request.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLEHOOK;
    request.lpfnHook = &PlacementHook;

    static const auto getOpenFileName =
        CommonDialogFunction<decltype(&GetOpenFileNameW)>("GetOpenFileNameW");
    static const auto extendedError =
        CommonDialogFunction<decltype(&CommDlgExtendedError)>("CommDlgExtendedError");
    BOOL chosen;
    {
        OtherWindowsDisabled others(owner);
        chosen = getOpenFileName(&request);
    }
    if (!chosen) {
        // Zero is a cancel or close; anything else is a failure to show it.
        if (DWORD error = extendedError()) {
            throw Failure{"GetOpenFileNameW failed: " + std::to_string(error)};
        }
        return false;
    }
    fileName_ = FromWide(file);
    return true;
}

}  // namespace wendle
