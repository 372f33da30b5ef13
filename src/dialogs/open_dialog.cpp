#include "core/failure.h"
#include "dialogs/open_dialog.h"

#include <commdlg.h>

#include <string>
#include <vector>

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

// Room for a thousand names of a selection: one name alone still comes
// back whole, and the name box starts with at most MAX_PATH units as before.
const DWORD kSelectionUnits = 1 << 17;

}  // namespace

bool OpenDialog::Execute(HWND owner) {
    // Wide: the ANSI dialog would hand back a look-alike of a name that the
    // code page cannot write.
    std::vector<wchar_t> buffer(kSelectionUnits);
    wchar_t* file = buffer.data();
    lstrcpynW(file, ToWide(fileName_).data(), MAX_PATH);

    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = L"WAVEファイル (*.wav)\0*.wav\0";
    request.nFilterIndex = 1;
    request.lpstrFile = file;
    request.nMaxFile = kSelectionUnits;
    // No OFN_NOCHANGEDIR: the current directory follows the user's choice.
    request.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLEHOOK | OFN_ALLOWMULTISELECT;
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
    fileNames_.clear();
    // Several: the folder, then each name, each ended by a zero; one: its full path.
    if (request.nFileOffset > 0 && file[request.nFileOffset - 1] == L'\0') {
        std::u16string folder = FromWide(file);
        if (!folder.empty() && folder.back() != u'\\') folder += u'\\';
        for (const wchar_t* name = file + request.nFileOffset; *name; name += lstrlenW(name) + 1) {
            fileNames_.push_back(folder + FromWide(name));
        }
    } else {
        fileNames_.push_back(FromWide(file));
    }
    fileName_ = fileNames_.front();
    return true;
}

}  // namespace wendle
