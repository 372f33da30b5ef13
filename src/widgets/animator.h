// Makes minimizing and restoring the application animate between a form's own
// rectangle and the taskbar button. The system animates the application
// window, which owns the taskbar button but is never seen: just before it
// animates, the application window takes the form's place and width with a
// height of 0, and afterwards shrinks back to nothing.
//
// The instance built while the application has no main form takes over the
// application window; every instance takes over its own form once the form's
// window exists. One instance per form.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "win/window.h"

namespace wendle {

class AnimatorHook;

// A handler called with the object that raised the event.
using TNotifyEvent = std::function<void(void* sender)>;

class Animator {
  public:
    // Fails with "AnimateWindowはフォームに一つしか置けません" when the form
    // already has one; nothing is taken over then.
    explicit Animator(Window& owner);
    ~Animator();
    Animator(const Animator&) = delete;
    Animator& operator=(const Animator&) = delete;

    // The hook window becomes a child of the parent's window, now if it
    // exists, and again each time it is created.
    void SetParent(Window* parent);

    // Called after each minimize and restore this instance carries out, with
    // the application object as sender.
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;

  private:
    friend class AnimatorHook;

    void HookForm(HWND form);
    void UnhookForm();
    static LRESULT CALLBACK AppProcedure(HWND app, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK FormProcedure(HWND form, UINT message, WPARAM wParam, LPARAM lParam);
    void AnimateMinimize();
    void AnimateRestore();

    Window* owner_;
    WNDPROC oldFormProc_ = nullptr;
    HWND formWindow_ = nullptr;
    WNDPROC oldAppProc_ = nullptr;
    HWND appWindow_ = nullptr;
    std::unique_ptr<AnimatorHook> hook_;
};

}  // namespace wendle
