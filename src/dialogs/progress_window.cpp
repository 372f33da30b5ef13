#include "dialogs/progress_window.h"

#include <objbase.h>
#include <shobjidl.h>

#include <algorithm>

#include "dialogs/progress_ids.h"
#include "win/application.h"
#include "win/dpi.h"
#include "win/system_library.h"

namespace wendle {

// The taskbar button's own progress (Windows 7 and later); nothing where the
// system has none. ole32 is loaded only for it, from the system folder.
class TaskbarProgress {
  public:
    TaskbarProgress() {
        using Initialize = HRESULT(WINAPI*)(LPVOID);
        using Create = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
        const auto initialize = SystemFunction<Initialize>("ole32.dll", "CoInitialize");
        const auto create = SystemFunction<Create>("ole32.dll", "CoCreateInstance");
        uninitialize_ = SystemFunction<Uninitialize>("ole32.dll", "CoUninitialize");
        if (!initialize || !create || !uninitialize_ || FAILED(initialize(nullptr))) {
            uninitialize_ = nullptr;
            return;
        }
        static const CLSID kTaskbarList = {
            0x56FDF344, 0xFD6D, 0x11D0, {0x95, 0x8A, 0x00, 0x60, 0x97, 0xC9, 0xA0, 0x90}};
        static const IID kTaskbarList3 = {
            0xEA1AFB91, 0x9E28, 0x4B86, {0x90, 0xE9, 0x9E, 0x9F, 0x8A, 0x5E, 0xEF, 0xAF}};
        void* list = nullptr;
        if (SUCCEEDED(create(kTaskbarList, nullptr, CLSCTX_INPROC_SERVER, kTaskbarList3, &list))) {
            list_ = static_cast<ITaskbarList3*>(list);
            if (FAILED(list_->HrInit())) Release();
        }
    }
    ~TaskbarProgress() {
        if (list_) list_->SetProgressState(App().Handle(), TBPF_NOPROGRESS);
        Release();
        if (uninitialize_) uninitialize_();
    }
    TaskbarProgress(const TaskbarProgress&) = delete;
    TaskbarProgress& operator=(const TaskbarProgress&) = delete;

    void Show(int tenths) {
        if (!list_ || tenths < 0) return;
        list_->SetProgressValue(App().Handle(), static_cast<ULONGLONG>(tenths), 1000);
    }

  private:
    using Uninitialize = void(WINAPI*)();
    void Release() {
        if (list_) list_->Release();
        list_ = nullptr;
    }

    ITaskbarList3* list_ = nullptr;
    Uninitialize uninitialize_ = nullptr;
};

namespace {

const DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
// At 96 DPI.
const int kClientWidth = 360;
const int kMargin = 12;
const int kPercentWidth = 44;
const int kButtonWidth = 88;

// Brings the window forward once the taskbar's restore has shown it again.
const UINT kComeForward = WM_APP + 1;

using BlockReasonCreate = BOOL(WINAPI*)(HWND, LPCWSTR);
using BlockReasonDestroy = BOOL(WINAPI*)(HWND);

std::string LeftText(int secondsLeft) {
    return secondsLeft < 0 ? std::string() : "残り時間 " + DurationText(secondsLeft);
}

}  // namespace

ProgressWindow::~ProgressWindow() {
    delete taskbar_;
    if (Handle()) {
        const auto destroy =
            SystemFunction<BlockReasonDestroy>("user32.dll", "ShutdownBlockReasonDestroy");
        if (destroy) destroy(Handle());
    }
    // The controls go before the font they use.
    DestroyUnbound();
}

bool ProgressWindow::Create(int left, int top, const std::string& inputName,
                            const std::string& outputName) {
    SetDpi(SystemDpi());
    font_ = Font(MessageFont(Dpi()));
    const PixelSize client = LayOut(false);
    RECT outer = OuterRect({0, 0, client.width, client.height}, kStyle, false, 0, Dpi());
    OffsetRect(&outer, left - outer.left, top - outer.top);
    // Inside the work area of the screen that holds the corner.
    const PixelRect kept =
        KeptInside({outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top},
                   WorkAreaOf({left, top, left + 1, top + 1}));
    outer = {kept.left, kept.top, kept.left + kept.width, kept.top + kept.height};
    if (!CreateBound({kProgressWindowClass, 0, COLOR_BTNFACE}, 0, "エンコード中 - Wendle", kStyle,
                     outer, App().Handle(), nullptr)) {
        return false;
    }
    // Vista and later show the reason if the session ends during the job.
    const auto create =
        SystemFunction<BlockReasonCreate>("user32.dll", "ShutdownBlockReasonCreate");
    if (create) create(Handle(), L"エンコードを中止しています");
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
    LayOut(true);
    FollowMonitorDpi();
    SetLabel(kProgressInputId, "入力: " + inputName);
    SetLabel(kProgressOutputId, "出力: " + outputName);
    Show(EncoderProgress{}, 0);
    taskbar_ = new TaskbarProgress;
    SetTimer(Handle(), 1, 250, nullptr);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    SetFocus(GetDlgItem(Handle(), kProgressStopId));
    UpdateWindow(Handle());
    return true;
}

PixelSize ProgressWindow::LayOut(bool makeControls) {
    // The gaps are designed at 96 DPI; the lines are the font's, made for the DPI.
    int charWidth = 0, lineHeight = 0;
    ScreenMeasure(font_.Handle()).MeasureLetters(&charWidth, &lineHeight);
    const int clientWidth = Scaled(kClientWidth);
    const int margin = Scaled(kMargin);
    const int percentWidth = Scaled(kPercentWidth);
    const int buttonWidth = Scaled(kButtonWidth);
    const int inner = clientWidth - 2 * margin;
    const int barHeight = lineHeight + Scaled(4);
    const int buttonHeight = std::max(lineHeight + Scaled(12), Scaled(25));
    int y = margin;
    const int outputTop = y + lineHeight + Scaled(6);
    const int barTop = outputTop + lineHeight + Scaled(12);
    const int timeTop = barTop + barHeight + Scaled(8);
    const int buttonTop = timeTop + lineHeight + Scaled(14);
    const PixelSize client = {clientWidth, buttonTop + buttonHeight + margin};
    if (!Handle()) return client;
    const DWORD label = SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_ENDELLIPSIS;
    const struct {
        int id;
        const char* windowClass;
        DWORD style;
        int left, top, width, height;
    } controls[] = {
        {kProgressStopId, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, (clientWidth - buttonWidth) / 2,
         buttonTop, buttonWidth, buttonHeight},
        {kProgressInputId, "STATIC", label, margin, y, inner, lineHeight},
        {kProgressOutputId, "STATIC", label, margin, outputTop, inner, lineHeight},
        {kProgressBarId, "STATIC", SS_OWNERDRAW, margin, barTop, inner - percentWidth - Scaled(8),
         barHeight},
        {kProgressPercentId, "STATIC", SS_RIGHT | SS_CENTERIMAGE | SS_NOPREFIX,
         margin + inner - percentWidth, barTop, percentWidth, barHeight},
        {kProgressElapsedId, "STATIC", label, margin, timeTop, inner / 2, lineHeight},
        {kProgressLeftId, "STATIC", SS_RIGHT | SS_NOPREFIX, margin + inner / 2, timeTop,
         inner - inner / 2, lineHeight},
    };
    for (const auto& c : controls) {
        HWND control = GetDlgItem(Handle(), c.id);
        if (makeControls) {
            control = CreateWindowExA(
                0, c.windowClass, c.id == kProgressStopId ? "中止" : "",
                WS_CHILD | WS_VISIBLE | c.style, c.left, c.top, c.width, c.height, Handle(),
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), App().Module(), nullptr);
        } else {
            SetWindowPos(control, nullptr, c.left, c.top, c.width, c.height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
    }
    return client;
}

void ProgressWindow::DpiChanged() {
    // The controls take the new font before the old one goes.
    Font previous = std::move(font_);
    font_ = Font(MessageFont(Dpi()));
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
    const PixelSize client = LayOut(false);
    // The suggested corner, around the client area the new font needs.
    RECT outer = OuterRect({0, 0, client.width, client.height}, kStyle, false, 0, Dpi());
    SetWindowPos(Handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void ProgressWindow::SetLabel(int id, const std::string& text) {
    HWND control = GetDlgItem(Handle(), id);
    char now[512];
    const int n = GetWindowTextA(control, now, sizeof now);
    // Only a change repaints: the times are set every second.
    if (std::string(now, n > 0 ? static_cast<std::size_t>(n) : 0) != text) {
        SetWindowTextA(control, text.c_str());
    }
}

void ProgressWindow::Show(const EncoderProgress& progress, long elapsedSeconds) {
    if (progress.tenths != tenths_) {
        tenths_ = progress.tenths;
        InvalidateRect(GetDlgItem(Handle(), kProgressBarId), nullptr, FALSE);
        if (taskbar_) taskbar_->Show(tenths_);
    }
    SetLabel(kProgressPercentId, PercentText(progress.tenths));
    SetLabel(kProgressElapsedId, "経過時間 " + DurationText(elapsedSeconds));
    SetLabel(kProgressLeftId, LeftText(progress.secondsLeft));
}

void ProgressWindow::ShowFiles(const std::string& running, const std::string& done) {
    SetLabel(kProgressInputId, running);
    SetLabel(kProgressOutputId, done);
}

void ProgressWindow::DrawBar(const DRAWITEMSTRUCT& item) const {
    RECT r = item.rcItem;
    DrawEdge(item.hDC, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    RECT done = r;
    const int tenths = tenths_ < 0 ? 0 : tenths_;
    done.right =
        r.left + static_cast<int>(static_cast<long long>(r.right - r.left) * tenths / 1000);
    RECT rest = r;
    rest.left = done.right;
    FillRect(item.hDC, &done, GetSysColorBrush(COLOR_HIGHLIGHT));
    FillRect(item.hDC, &rest, GetSysColorBrush(COLOR_WINDOW));
}

bool ProgressWindow::TakeDialogMessage(MSG& msg) {
    if (!Handle() || (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd))) return false;
    const bool key = msg.message == WM_KEYDOWN || msg.message == WM_KEYUP;
    if (key && (msg.wParam == VK_RETURN || msg.wParam == VK_SPACE)) {
        // A key held since the start button (pressed with it) repeats here:
        // only a press that goes down and up in this window stops the job.
        const bool repeated = (msg.lParam & (1 << 30)) != 0;
        if (msg.message == WM_KEYDOWN && repeated) return true;
        if (msg.wParam == VK_RETURN) {
            if (msg.message == WM_KEYDOWN) {
                enterDown_ = true;
            } else if (enterDown_) {
                enterDown_ = false;
                Stop();
            }
            return true;
        }
        // Space: the button clicks on a key-up only after its own key-down.
    }
    return IsDialogMessageA(Handle(), &msg);
}

void ProgressWindow::Stop() {
    if (OnStop) OnStop();
}

LRESULT ProgressWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            // Enter is taken as a press before it becomes IDOK.
            if ((id == kProgressStopId && HIWORD(wParam) == BN_CLICKED) || id == IDCANCEL) Stop();
            return 0;
        }
        case WM_SHOWWINDOW:
            // Shown by the owner's restore without activation: the main
            // window is hidden, so this one takes the user's keys.
            if (wParam && lParam == SW_PARENTOPENING) PostMessageA(Handle(), kComeForward, 0, 0);
            break;
        case kComeForward:
            if (IsWindowVisible(Handle())) SetForegroundWindow(Handle());
            return 0;
        case WM_DRAWITEM:
            if (wParam == kProgressBarId) DrawBar(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_CLOSE:
            Stop();
            return 0;
        case WM_TIMER:
            if (OnTick) OnTick();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam && OnEndSession) OnEndSession();
            return 0;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace wendle
