#include "widgets/file_name_edit.h"

#include <string>

#include "core/file_names.h"
#include "win/window_text.h"
#include "win/system_names.h"
#include "win/system_rules.h"

namespace wendle {

namespace {

// Editing keys arrive as control characters too; only printable ones would
// be inserted into the name.
bool RefusedKey(WPARAM key) {
    return key >= 0x20 && key < 0x80 && IsForbiddenInName(static_cast<unsigned char>(key));
}

// False when the clipboard holds no text: a paste then changes nothing. Read
// as Unicode, each character the code page cannot write as "_": the ANSI text
// would give a look-alike, a backslash for ¥.
bool ReadClipboardText(HWND owner, std::string* text) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner)) return false;
    bool read = false;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* locked = static_cast<const wchar_t*>(GlobalLock(data))) {
            *text = NarrowShownText(FromWide(locked), '_');
            read = true;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return read;
}

}  // namespace

LRESULT FileNameEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CHAR:
            if (RefusedKey(wParam)) {
                MessageBeep(MB_OK);
                return 0;
            }
            break;
        case WM_IME_CHAR:
            if (wParam >= 0x100) {
                // A double-byte character, lead byte high: never refused.
                TypeDoubleByteCharacter(Handle(), static_cast<unsigned char>(wParam >> 8),
                                        static_cast<unsigned char>(wParam));
                return 0;
            }
            if (RefusedKey(wParam)) {
                MessageBeep(MB_OK);
                return 0;
            }
            break;
        case WM_PASTE:
            if (!(GetWindowLongA(Handle(), GWL_STYLE) & ES_READONLY)) Paste();
            return 0;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

void FileNameEdit::Paste() {
    std::string text;
    if (!ReadClipboardText(Handle(), &text)) return;
    const std::string kept = WithoutForbiddenCharacters(text, SystemPathRules());
    SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(kept.c_str()));
}

}  // namespace wendle
