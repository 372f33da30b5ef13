// The thin window every form and control class of the program derives from.
// A form makes its window of its own class (CreateBound); a control takes over
// a system control's window (Attach). Either way the window is bound to its
// object once and messages go to HandleMessage; no failure leaves the window
// procedure, and one in WM_CREATE fails the creation. A form reflects
// WM_COMMAND, WM_DRAWITEM and WM_MEASUREITEM from a child that is an attached
// control back to the child's object (OnReflected); a menu's stay with the form.
#pragma once

#include <windows.h>

#include <exception>
#include <vector>

#include "win/binding.h"

namespace wendle {

// A part of a form with a child window of its own that the form does not make
// itself: it makes it each time the form's window is created.
class WindowedPart {
  public:
    virtual void ParentCreated(HWND parent) = 0;
    // The form object is going away; forget it.
    virtual void ParentReleased() = 0;

  protected:
    ~WindowedPart() = default;
};

class Window {
  public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const { return handle_; }

    void AddPart(WindowedPart* part);
    void RemovePart(WindowedPart* part);

    // A notification the parent had from this window; true when handled.
    virtual bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

  protected:
    struct ClassInfo {
        const char* name;
        UINT style;
        int backgroundColour;  // a COLOR_ index
    };

    // Registers the class on first use and creates the window bound to this;
    // null, with the system's error, when either fails or the class name is
    // taken by another procedure. A failure in WM_CREATE is raised here.
    HWND CreateBound(const ClassInfo& cls, DWORD exStyle, const char* caption, DWORD style,
                     const RECT& outer, HWND owner, HMENU menu);
    // Binds a created window (a system control) to this and takes over its procedure.
    void Attach(HWND window);
    // For destructors: destroys the window (and so its children) without
    // this object's handlers, which may use parts already gone.
    void DestroyUnbound();

    // The default passes the message on (CallOriginal).
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The procedure an attached window had before, else the default one.
    LRESULT CallOriginal(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static Window* ReflectedTo(HWND parent, UINT message, WPARAM wParam, LPARAM lParam);
    void Unbind();

    Binding binding_{BoundKind::Form, this};
    HWND handle_ = nullptr;
    std::exception_ptr creationFailure_;
    WNDPROC original_ = nullptr;  // attached windows only
    std::vector<WindowedPart*> parts_;
};

}  // namespace wendle
