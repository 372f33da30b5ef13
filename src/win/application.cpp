#include "win/application.h"

#include "win/window_text.h"

namespace wendle {

namespace {

const char kClassName[] = "TApplication";

}  // namespace

Application& Application::Instance() {
    static Application application;
    return application;
}

bool RegisterWindowClass(const WNDCLASSEXA& wc) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExA(wc.hInstance, wc.lpszClassName, &existing)) {
        return RegisterClassExA(&wc) != 0;
    }
    if (existing.lpfnWndProc == wc.lpfnWndProc) return true;
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return false;
}

bool Application::Initialize(HINSTANCE instance) {
    module_ = instance;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Application::WindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "MAINICON");
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = kClassName;
    if (!RegisterWindowClass(wc)) return false;
    // Never seen: zero-sized, it owns the taskbar button and every form.
    int x = GetSystemMetrics(SM_CXSCREEN) / 2;
    int y = GetSystemMetrics(SM_CYSCREEN) / 2;
    handle_ = CreateWindowExA(0, kClassName, title_.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                              x, y, 0, 0, nullptr, nullptr, instance, nullptr);
    if (!handle_) return false;
    ShowWindow(handle_, SW_SHOWNORMAL);
    return true;
}

void Application::SetTitle(const std::string& title) {
    title_ = title;
    if (handle_) SetWindowTextA(handle_, title_.c_str());
}

void Application::RegisterForm(HWND form) {
    if (!mainForm_) mainForm_ = form;
}

void Application::FormDestroyed(HWND form) {
    if (form && form == mainForm_) mainForm_ = nullptr;
}

void Application::Minimize() {
    if (handle_ && !IsIconic(handle_)) ShowWindow(handle_, SW_MINIMIZE);
}

void Application::Restore() {
    if (handle_ && IsIconic(handle_)) ShowWindow(handle_, SW_RESTORE);
}

void Application::FormsFollow(WPARAM sizeType) {
    // Windows hides a minimized owner's windows by itself; Wine only when its
    // default procedure minimizes the active window. Here every way of
    // minimizing does it, and a restore shows only what the minimize hid.
    if (sizeType == SIZE_MINIMIZED && !formsHidden_) {
        formsHidden_ = true;
        ShowOwnedPopups(handle_, FALSE);
    } else if (sizeType != SIZE_MINIMIZED && formsHidden_) {
        formsHidden_ = false;
        ShowOwnedPopups(handle_, TRUE);
    }
}

bool Application::TakesDoubleByteCharacters(HWND window) const {
    char name[8];
    return window && GetAncestor(window, GA_ROOT) == mainForm_ &&
           GetClassNameA(window, name, sizeof name) && lstrcmpiA(name, "Edit") == 0;
}

void Application::Dispatch(MSG& msg) {
    // Tab, arrow and Enter navigation among the controls of a form.
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && root == mainForm_ && IsDialogMessageA(root, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

int Application::Run() {
    MSG msg;
    // An ANSI window gets a double-byte character as two WM_CHAR messages,
    // and both IsDialogMessageA and the edit control may convert each byte on
    // its own. The lead byte waits here for its trail byte, and the edit gets
    // the pair as one character of text.
    MSG lead{};
    int exitCode = 0;
    for (;;) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            exitCode = static_cast<int>(msg.wParam);
            break;
        }
        if (got == -1) {
            // No message to read (msg holds none): the loop cannot go on, and
            // the program's end says why with the system's error.
            const DWORD error = GetLastError();
            exitCode = error ? static_cast<int>(error) : 1;
            break;
        }
        if (lead.hwnd) {
            if (msg.message == WM_CHAR && msg.hwnd == lead.hwnd) {
                TypeDoubleByteCharacter(lead.hwnd, static_cast<unsigned char>(lead.wParam),
                                        static_cast<unsigned char>(msg.wParam));
                lead.hwnd = nullptr;
                continue;
            }
            Dispatch(lead);
            lead.hwnd = nullptr;
        }
        if (msg.message == WM_CHAR && msg.wParam < 0x100 &&
            IsDBCSLeadByte(static_cast<BYTE>(msg.wParam)) && TakesDoubleByteCharacters(msg.hwnd)) {
            lead = msg;
            continue;
        }
        Dispatch(msg);
    }
    if (handle_) DestroyWindow(handle_);
    handle_ = nullptr;
    return exitCode;
}

LRESULT CALLBACK Application::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Application& self = Instance();
    switch (message) {
        case WM_CLOSE:
            // Closing the taskbar entry closes the main form, which ends the program.
            if (self.mainForm_) PostMessageA(self.mainForm_, WM_CLOSE, 0, 0);
            return 0;
        case WM_SYSCOMMAND:
            // Windows' rule: the low four bits are the system's own, masked off.
            if ((wParam & 0xFFF0) == SC_MINIMIZE) {
                self.Minimize();
                return 0;
            }
            if ((wParam & 0xFFF0) == SC_RESTORE) {
                self.Restore();
                return 0;
            }
            break;
        case WM_SIZE:
            if (window == self.handle_) self.FormsFollow(wParam);
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace wendle
