#include "dialogs/about_window.h"

#include "win/application.h"
#include "win/dpi.h"
#include "dialogs/about_ids.h"
#include "win/other_windows_disabled.h"
#include "win/window_text.h"

namespace wendle {

namespace {

enum class Kind { Label, Bevel, Button };

// Places and sizes are pixels at 96 DPI, as the font heights are.
struct AboutControl {
    int id;
    Kind kind;
    PixelRect at;
    const char* caption;
    UINT textFormat;  // DrawText alignment of a label
    int fontHeight;   // character height in pixels
};

// In creation order, which is also painting order: a later label covers an
// earlier one where they overlap.
const AboutControl kControls[] = {
    {kAboutVersionNameId, Kind::Label, {48, 16, 129, 25}, "Wendle", DT_CENTER | DT_TOP, 13},
    {kAboutCopyrightId,
     Kind::Label,
     {24, 40, 177, 17},
     "Copyright (C) 2026 Wendle",
     DT_CENTER | DT_BOTTOM,
     13},
    {kAboutExpositionMessageId,
     Kind::Label,
     {8, 64, 209, 17},
     "This is Ogg Vorbis Encoder Frontend.",
     DT_CENTER | DT_BOTTOM,
     12},
    {kAboutFrameId, Kind::Bevel, {8, 8, 209, 89}, "", 0, 12},
    // 9 pixels high for an 11-pixel font: the label clips its text.
    {kAboutForVerId,
     Kind::Label,
     {40, 32, 145, 9},
     "(For OggEnc v0.0)",
     DT_CENTER | DT_VCENTER,
     11},
    {kAboutWindowCloseId, Kind::Button, {76, 104, 73, 25}, "OK", 0, 12},
};

const int kFontHeights[] = {11, 12, 13};
const int kWindowFontHeight = 12;

const AboutControl* SpecOf(int id) {
    for (const AboutControl& c : kControls) {
        if (c.id == id) return &c;
    }
    return nullptr;
}

const DWORD kAboutStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
const int kOuterWidth = 233;
const int kOuterHeight = 164;
const int kDesignedLeft = 507;
const int kDesignedTop = 130;

}  // namespace

AboutWindow::~AboutWindow() {
    // The controls go before the fonts they use.
    DestroyUnbound();
}

bool AboutWindow::Create() {
    SetDpi(SystemDpi());
    const PixelRect outer =
        Scaled(PixelRect{kDesignedLeft, kDesignedTop, kOuterWidth, kOuterHeight});
    if (!CreateBound({kAboutWindowClass, 0, COLOR_BTNFACE}, 0, "About Wendle", kAboutStyle,
                     {outer.left, outer.top, outer.left + outer.width, outer.top + outer.height},
                     App().Handle(), nullptr)) {
        return false;
    }
    if (!CreateControls()) {
        const DWORD error = GetLastError();
        DestroyUnbound();
        SetLastError(error);
        return false;
    }
    FollowMonitorDpi();
    return true;
}

bool AboutWindow::CreateControls() {
    for (const AboutControl& c : kControls) {
        // Siblings clip one another, so the z-order alone decides what covers what.
        DWORD style = WS_VISIBLE | WS_CLIPSIBLINGS;
        style |= c.kind == Kind::Button ? WS_TABSTOP | BS_PUSHBUTTON : SS_OWNERDRAW | SS_NOPREFIX;
        HWND control = CreateChild(0, c.kind == Kind::Button ? "BUTTON" : "STATIC", c.caption,
                                   style, c.id, c.at);
        if (!control) return false;
        // Each control lies above the ones created before it.
        SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    MakeFonts();
    CutBevel();
    return true;
}

void AboutWindow::MakeFonts() {
    // The controls take the new fonts before the old ones go.
    Font previous[3];
    for (int i = 0; i < 3; ++i) {
        previous[i] = std::move(fonts_[i]);
        fonts_[i] = Font(PGothicFont(Scaled(kFontHeights[i])));
    }
    const int windowFont = kWindowFontHeight - kFontHeights[0];
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[windowFont].Handle()),
                 FALSE);
    for (const AboutControl& c : kControls) {
        HFONT font = fonts_[c.fontHeight - kFontHeights[0]].Handle();
        SendMessageA(GetDlgItem(Handle(), c.id), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

void AboutWindow::CutBevel() {
    // Only its edge is the bevel's own: the labels inside stay visible.
    const PixelRect at = Scaled(SpecOf(kAboutFrameId)->at);
    HRGN edge = CreateRectRgn(0, 0, at.width, at.height);
    HRGN inside = CreateRectRgn(1, 1, at.width - 1, at.height - 1);
    CombineRgn(edge, edge, inside, RGN_DIFF);
    DeleteObject(inside);
    if (!SetWindowRgn(GetDlgItem(Handle(), kAboutFrameId), edge, FALSE)) DeleteObject(edge);
}

void AboutWindow::DpiChanged() {
    MakeFonts();
    CutBevel();
    InvalidateRect(Handle(), nullptr, TRUE);
}

void AboutWindow::MoveTo(int left, int top) {
    if (IsIconic(Handle())) {
        // Closed while minimized: move the place it is restored to when shown.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        if (GetWindowPlacement(Handle(), &placement) &&
            GetMonitorInfoA(MonitorFromWindow(Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor)) {
            // The placement counts from the work area, not from the screen.
            RECT& normal = placement.rcNormalPosition;
            OffsetRect(&normal, left - (monitor.rcWork.left - monitor.rcMonitor.left) - normal.left,
                       top - (monitor.rcWork.top - monitor.rcMonitor.top) - normal.top);
            placement.showCmd = SW_HIDE;
            SetWindowPlacement(Handle(), &placement);
        }
        return;
    }
    SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void AboutWindow::SetCaption(int controlId, const std::string& caption) {
    HWND control = GetDlgItem(Handle(), controlId);
    if (!control) return;
    SetWindowTextA(control, caption.c_str());
    InvalidateRect(control, nullptr, FALSE);
}

void AboutWindow::SetVersionName(const std::string& caption) {
    SetCaption(kAboutVersionNameId, caption);
}

void AboutWindow::SetForVer(const std::string& caption) {
    SetCaption(kAboutForVerId, caption);
}

void AboutWindow::ShowModal() {
    if (!Handle() || modal_) return;
    modal_ = true;
    closing_ = false;
    HWND previous = GetActiveWindow();
    {
        OtherWindowsDisabled others(Handle());
        // A window minimized at its last showing comes back at its normal size.
        ShowWindow(Handle(), IsIconic(Handle()) ? SW_RESTORE : SW_SHOW);
        SetForegroundWindow(Handle());
        SetFocus(GetDlgItem(Handle(), kAboutWindowCloseId));
        MSG msg;
        while (!closing_) {
            BOOL got = GetMessageA(&msg, nullptr, 0, 0);
            if (got == 0) {
                // Leave the quit for the outer loop.
                PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            if (got < 0) break;
            if (IsDialogMessageA(Handle(), &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    // Give the activation back before hiding, so it does not go to another program.
    if (previous && previous != Handle() && IsWindow(previous)) SetActiveWindow(previous);
    ShowWindow(Handle(), SW_HIDE);
    modal_ = false;
}

void AboutWindow::AboutWindowCloseClick() {
    EndModal();
}

void AboutWindow::EndModal() {
    if (modal_) {
        closing_ = true;
    } else {
        ShowWindow(Handle(), SW_HIDE);
    }
}

void AboutWindow::OnCommand(int id, int code) {
    if (id == kAboutWindowCloseId && code == BN_CLICKED) {
        AboutWindowCloseClick();
    } else if (id == IDOK && GetFocus() == GetDlgItem(Handle(), kAboutWindowCloseId)) {
        // Enter, sent as IDOK by the dialog manager, presses the focused button.
        AboutWindowCloseClick();
    }
    // IDCANCEL (Escape) does nothing: the button is no cancel button.
}

LRESULT AboutWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            const AboutControl* c = SpecOf(static_cast<int>(item.CtlID));
            if (c && c->kind == Kind::Bevel) {
                RECT r = item.rcItem;
                FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
                DrawEdge(item.hDC, &r, BDR_RAISEDINNER, BF_RECT);
            } else if (c) {
                DrawLabelText(item, c->textFormat);
            }
            return TRUE;
        }
        case WM_SETFOCUS:
            // The button is the only control that takes the focus.
            SetFocus(GetDlgItem(Handle(), kAboutWindowCloseId));
            return 0;
        case WM_CLOSE:
            // Closing hides the window; it lives until the program ends.
            EndModal();
            return 0;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace wendle
