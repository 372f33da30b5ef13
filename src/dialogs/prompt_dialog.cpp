#include "dialogs/prompt_dialog.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <exception>
#include <system_error>
#include <string>
#include <utility>
#include <vector>

#include "win/application.h"
#include "core/dialog_metrics.h"
#include "win/modal_dialog.h"

namespace wendle {

namespace {

struct Request {
    const std::string& caption;
    const std::string& prompt;
    const std::string& value;
    HFONT font;
    PromptLayoutInput layout;
    std::string typed;
    std::exception_ptr failure;
};

// The application's default font: its face and size follow the system's
// default character set.
LOGFONTA DefaultFont() {
    LOGFONTA font{};
    int points = 8;
    const char* face = "MS Sans Serif";
    CHARSETINFO charset{};
    if (GetSystemMetrics(SM_DBCSENABLED) &&
        TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(GetACP())), &charset,
                             TCI_SRCCODEPAGE)) {
        if (charset.ciCharset == SHIFTJIS_CHARSET) {
            points = 9;
            face = "ＭＳ Ｐゴシック";
        } else if (charset.ciCharset == CHINESEBIG5_CHARSET) {
            points = 9;
            face = "Times New Roman";
        }
    }
    HDC screen = GetDC(nullptr);
    font.lfHeight = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    return font;
}

PromptLayoutInput Measure(const std::string& prompt, HFONT font) {
    PromptLayoutInput in;
    in.screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    MeasureLetters(dc, &in.charWidth, &in.lineHeight);
    RECT box{};
    DrawTextA(dc, prompt.c_str(), static_cast<int>(prompt.size()), &box,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    in.prompt = {box.right - box.left, box.bottom - box.top};
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return in;
}

HWND AddControl(HWND dialog, int id, DWORD exStyle, const char* windowClass, const char* text,
                DWORD style, const PixelRect& at, HFONT font) {
    return AddDialogControl(dialog, id, exStyle, windowClass, text, style, at.left, at.top,
                            at.width, at.height, font);
}

void Build(HWND dialog, Request& request) {
    SetWindowTextA(dialog, request.caption.c_str());

    RECT outer;
    RECT client;
    GetWindowRect(dialog, &outer);
    GetClientRect(dialog, &client);
    request.layout.frame = {(outer.right - outer.left) - client.right,
                            (outer.bottom - outer.top) - client.bottom};
    const PromptLayout layout = LayoutPromptDialog(request.layout);

    AddControl(dialog, kPromptLabelId, 0, "STATIC", request.prompt.c_str(),
               SS_LEFTNOWORDWRAP | SS_NOPREFIX, layout.prompt, request.font);
    HWND edit = AddControl(dialog, kPromptEditId, WS_EX_CLIENTEDGE, "EDIT", request.value.c_str(),
                           WS_TABSTOP | ES_AUTOHSCROLL, layout.edit, request.font);
    SendMessageA(edit, EM_LIMITTEXT, kPromptLimit, 0);
    AddControl(dialog, kPromptOkId, 0, "BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, layout.ok,
               request.font);
    AddControl(dialog, kPromptCancelId, 0, "BUTTON", "ｷｬﾝｾﾙ", WS_TABSTOP | BS_PUSHBUTTON,
               layout.cancel, request.font);

    SetWindowPos(dialog, nullptr, layout.left, layout.top,
                 layout.client.width + request.layout.frame.width,
                 layout.client.height + request.layout.frame.height, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(dialog, DM_SETDEFID, kPromptOkId, 0);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
}

std::string EditText(HWND dialog) {
    HWND edit = GetDlgItem(dialog, kPromptEditId);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextA(edit, &text[0], static_cast<int>(text.size()))));
    return text;
}

// The edit's own limit counts characters where it keeps its text in UTF-16
// (Wine), bytes in Windows' ANSI edit. Where a change has gone past 255
// bytes, drop the characters just typed or pasted before the caret.
void KeepWithinLimit(HWND edit) {
    const int length = GetWindowTextLengthW(edit);
    // A vector, not std::wstring: the shipped program links no wide strings.
    std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(edit, text.data(), length + 1)));
    auto bytes = [](const std::vector<wchar_t>& part) {
        return WideCharToMultiByte(CP_ACP, 0, part.data(), static_cast<int>(part.size()), nullptr,
                                   0, nullptr, nullptr);
    };
    if (bytes(text) <= kPromptLimit) return;
    DWORD start = 0;
    DWORD caret = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&caret));
    std::size_t cut = std::min<std::size_t>(caret, text.size());
    while (cut > 0 && bytes(text) > kPromptLimit) text.erase(text.begin() + --cut);
    while (bytes(text) > kPromptLimit) text.pop_back();
    text.push_back(L'\0');
    SetWindowTextW(edit, text.data());
    SendMessageW(edit, EM_SETSEL, cut, cut);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* request = reinterpret_cast<Request*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            InitModalDialog<Request>(dialog, lParam, &Build);
            return FALSE;  // the focus is on the edit already
        case WM_COMMAND:
            if (LOWORD(wParam) == kPromptEditId && HIWORD(wParam) == EN_CHANGE) {
                try {
                    KeepWithinLimit(reinterpret_cast<HWND>(lParam));
                } catch (...) {
                    // Out of memory while trimming: the edit keeps its text.
                }
                return TRUE;
            }
            if (HIWORD(wParam) != BN_CLICKED) return FALSE;
            if (LOWORD(wParam) == kPromptOkId) {
                // The edit goes with the dialog: take its text now.
                try {
                    request->typed = EditText(dialog);
                    EndDialog(dialog, IDOK);
                } catch (...) {
                    request->failure = std::current_exception();
                    EndDialog(dialog, -1);
                }
            } else if (LOWORD(wParam) == kPromptCancelId) {
                EndDialog(dialog, IDCANCEL);
            }
            return TRUE;
        case WM_CLOSE:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

bool ShowPromptDialog(const std::string& caption, const std::string& prompt, std::string& value) {
    DialogFont font(DefaultFont());
    Request request{caption, prompt, value, font.Handle(), Measure(prompt, font.Handle()),
                    {},      nullptr};

    if (RunModalDialog(&DialogProc, reinterpret_cast<LPARAM>(&request), request.failure) != IDOK) {
        return false;
    }
    value = std::move(request.typed);
    return true;
}

}  // namespace wendle
