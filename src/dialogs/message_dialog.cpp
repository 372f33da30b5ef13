#include "dialogs/message_dialog.h"

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <exception>
#include <system_error>
#include <vector>

#include "win/application.h"
#include "core/dialog_metrics.h"
#include "dialogs/message_dialog_ids.h"
#include "win/modal_dialog.h"

namespace wendle {

namespace {

struct Request {
    const std::string& text;
    MessageKind kind;
    MessageButtons buttons;
    HFONT font;
    MessageLayoutInput layout;
    std::exception_ptr failure;
};

LOGFONTA MessageFont() {
    NONCLIENTMETRICSA metrics{};
    // The size without Vista's padded border, which every version accepts.
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA);
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    return metrics.lfMessageFont;
}

const char* const kCaptions[] = {"OK", "ｷｬﾝｾﾙ"};
const int kButtonIds[] = {kMessageOkId, kMessageCancelId};

MessageLayoutInput Measure(const std::string& text, int buttonCount, HFONT font) {
    MessageLayoutInput in;
    in.screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    MeasureLetters(dc, &in.charWidth, &in.lineHeight);
    RECT box{0, 0, in.screen.width / 2, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    in.text = {box.right - box.left, box.bottom - box.top};
    for (int i = 0; i < buttonCount; ++i) {
        SIZE caption{};
        GetTextExtentPointA(dc, kCaptions[i], static_cast<int>(std::strlen(kCaptions[i])),
                            &caption);
        in.captionWidths.push_back(caption.cx);
    }
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return in;
}

HWND AddControl(HWND dialog, int id, const char* windowClass, const char* text, DWORD style,
                const PixelRect& at, HFONT font) {
    return AddDialogControl(dialog, id, 0, windowClass, text, style, at.left, at.top, at.width,
                            at.height, font);
}

void Build(HWND dialog, Request& request) {
    const bool error = request.kind == MessageKind::Error;
    SetWindowTextA(dialog, error ? "ｴﾗｰ" : "確認");

    RECT outer;
    RECT client;
    GetWindowRect(dialog, &outer);
    GetClientRect(dialog, &client);
    request.layout.frame = {(outer.right - outer.left) - client.right,
                            (outer.bottom - outer.top) - client.bottom};
    const MessageLayout layout = LayoutMessageDialog(request.layout);

    HWND icon =
        AddControl(dialog, kMessageIconId, "STATIC", nullptr, SS_ICON, layout.icon, request.font);
    SendMessageA(icon, STM_SETICON,
                 reinterpret_cast<WPARAM>(LoadIconA(nullptr, error ? IDI_HAND : IDI_QUESTION)), 0);
    AddControl(dialog, kMessageTextId, "STATIC", request.text.c_str(), SS_LEFT, layout.text,
               request.font);
    for (std::size_t i = 0; i < layout.buttons.size(); ++i) {
        DWORD style = WS_TABSTOP | (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        AddControl(dialog, kButtonIds[i], "BUTTON", kCaptions[i], style, layout.buttons[i],
                   request.font);
    }

    SetWindowPos(dialog, nullptr, layout.left, layout.top,
                 layout.client.width + request.layout.frame.width,
                 layout.client.height + request.layout.frame.height, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(dialog, DM_SETDEFID, kMessageOkId, 0);
    SetFocus(GetDlgItem(dialog, kMessageOkId));
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* request = reinterpret_cast<Request*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            InitModalDialog<Request>(dialog, lParam, &Build);
            return FALSE;  // the focus is on OK already
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) return FALSE;
            if (LOWORD(wParam) == kMessageOkId) {
                EndDialog(dialog, kResultOk);
            } else if (LOWORD(wParam) == kMessageCancelId) {
                // Escape without a Cancel button means OK.
                bool hasCancel = request->buttons == MessageButtons::OkCancel;
                EndDialog(dialog, hasCancel ? kResultCancel : kResultOk);
            }
            return TRUE;
        case WM_CLOSE:
            // The close box answers Cancel even where no Cancel button is shown.
            EndDialog(dialog, kResultCancel);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

int ShowMessageDialog(const std::string& text, MessageKind kind, MessageButtons buttons, int x,
                      int y) {
    DialogFont font(MessageFont());
    const int buttonCount = buttons == MessageButtons::OkCancel ? 2 : 1;
    Request request{text, kind, buttons, font.Handle(), {}, nullptr};
    request.layout = Measure(text, buttonCount, font.Handle());
    request.layout.x = x;
    request.layout.y = y;

    return RunModalDialog(&DialogProc, reinterpret_cast<LPARAM>(&request), request.failure);
}

}  // namespace wendle
