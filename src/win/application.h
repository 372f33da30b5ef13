// The application object: its never-seen window owns the taskbar button and
// every form; the first form registered becomes the main form.
#pragma once

#include <windows.h>

#include <string>

namespace wendle {

class Application {
  public:
    static Application& Instance();

    // Creates the application window; call once before any form. False, with
    // the system's error, when it could not be made.
    bool Initialize(HINSTANCE instance);
    HINSTANCE Module() const { return module_; }
    HWND Handle() const { return handle_; }

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);

    HWND MainForm() const { return mainForm_; }
    // The first form created becomes the main form; closing it ends the loop.
    void RegisterForm(HWND form);
    // A destroyed main form is forgotten; the next form registered replaces it.
    void FormDestroyed(HWND form);

    // The forms hide with the application window and come back with it. Each
    // does nothing when the window already is in that state.
    void Minimize();
    void Restore();

    // Runs the message loop until the main form is destroyed; the WM_QUIT
    // code, or the system's error when no message could be read.
    int Run();

  private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    void FormsFollow(WPARAM sizeType);
    bool TakesDoubleByteCharacters(HWND window) const;
    void Dispatch(MSG& msg);

    HINSTANCE module_ = nullptr;
    HWND handle_ = nullptr;
    HWND mainForm_ = nullptr;
    bool formsHidden_ = false;
    std::string title_;
};

// Registers a window class, or finds it registered already with the same
// procedure; false, with the system's error, when that fails or another
// procedure holds the name.
bool RegisterWindowClass(const WNDCLASSEXA& wc);

inline Application& App() {
    return Application::Instance();
}

}  // namespace wendle
