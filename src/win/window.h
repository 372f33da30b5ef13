// The thin window every form and control class of the program derives from.
// A form makes its window of its own class (CreateBound); a control takes over
// a system control's window (Attach). Either way the window is bound to its
// object once and messages go to HandleMessage; no failure leaves the window
// procedure, and one in WM_CREATE fails the creation. A form reflects
// WM_COMMAND, WM_DRAWITEM and WM_MEASUREITEM from a child that is an attached
// control back to the child's object (OnReflected); a menu's stay with the form.
// A window is laid out at its DPI: its children stand where its 96-DPI layout
// puts them, scaled (CreateChild), and a change of DPI moves them there again.
#pragma once

#include <windows.h>

#include <exception>
#include <vector>

#include "core/dpi_scaling.h"
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

    // False while the top-level window is disabled (a modal dialog or a job
    // holds it): a key posted to a control then is no input to act on.
    bool TakesInput() const { return handle_ && IsWindowEnabled(GetAncestor(handle_, GA_ROOT)); }

    // A notification the parent had from this window; true when handled.
    virtual bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // The pixels per inch the window is laid out for; its layout is designed at 96.
    int Dpi() const { return dpi_; }
    int Scaled(int designed) const { return ScaleToDpi(designed, dpi_); }
    PixelRect Scaled(const PixelRect& designed) const { return ScaleToDpi(designed, dpi_); }

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

    // The DPI to lay the window out for, before its children are made.
    void SetDpi(int dpi) { dpi_ = dpi; }
    // A child window at its place in the 96-DPI layout, scaled to the window's
    // DPI; a change of DPI puts it there again. Null, with the system's error,
    // when it could not be made.
    HWND CreateChild(DWORD exStyle, const char* windowClass, const char* text, DWORD style, int id,
                     const PixelRect& designed);
    // The same for a child made otherwise (a control that makes its own window).
    void KeepPlaced(HWND child, const PixelRect& designed);
    // For a form once its children are made: a window the system put on a
    // monitor of another DPI than the one it was laid out for is laid out
    // again, as when it is moved there.
    void FollowMonitorDpi();
    // The DPI changed (WM_DPICHANGED): the window has taken the suggested
    // rectangle and its children their places; make the fonts and pictures.
    virtual void DpiChanged() {}

    // The default passes the message on (CallOriginal).
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The procedure an attached window had before, else the default one.
    LRESULT CallOriginal(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static Window* ReflectedTo(HWND parent, UINT message, WPARAM wParam, LPARAM lParam);
    void Unbind();
    void ChangeDpi(int dpi, const RECT& suggested);
    void SetIcons();

    Binding binding_{BoundKind::Form, this};
    HWND handle_ = nullptr;
    std::exception_ptr creationFailure_;
    WNDPROC original_ = nullptr;  // attached windows only
    std::vector<WindowedPart*> parts_;
    int dpi_ = kDesignDpi;
    struct Placed {
        HWND child;
        PixelRect designed;
    };
    std::vector<Placed> placed_;
    // The icons for a DPI other than the system's, which the class's are for.
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
};

}  // namespace wendle
