#include "app/application.h"

namespace wendle {

namespace {
const char kClassName[] = "TApplication";
}

Application& Application::Instance() {
    static Application application;
    return application;
}

void Application::Initialize(HINSTANCE instance) {
    module_ = instance;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Application::WindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "MAINICON");
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = kClassName;
    RegisterClassExA(&wc);
    // Never seen: zero-sized, it owns the taskbar button and every form.
    int x = GetSystemMetrics(SM_CXSCREEN) / 2;
    int y = GetSystemMetrics(SM_CYSCREEN) / 2;
    handle_ = CreateWindowExA(0, kClassName, title_.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                              x, y, 0, 0, nullptr, nullptr, instance, nullptr);
    ShowWindow(handle_, SW_SHOWNORMAL);
}

void Application::SetTitle(const std::string& title) {
    title_ = title;
    if (handle_) SetWindowTextA(handle_, title_.c_str());
}

void Application::RegisterForm(HWND form) {
    if (!mainForm_) mainForm_ = form;
}

int Application::Run() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        // Tab, arrow and Enter navigation among the controls of a form.
        HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        if (root && root == mainForm_ && IsDialogMessageA(root, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (handle_) DestroyWindow(handle_);
    handle_ = nullptr;
    return static_cast<int>(msg.wParam);
}

LRESULT CALLBACK Application::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        // Closing the taskbar entry closes the main form, which ends the program.
        if (Instance().mainForm_) PostMessageA(Instance().mainForm_, WM_CLOSE, 0, 0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace wendle
