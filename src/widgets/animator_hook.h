// The animator's invisible child of its form: its window's creation and
// destruction tell the animator when to take over the form's window procedure
// and when to give it back.
#pragma once

#include <windows.h>

#include "win/window.h"

namespace wendle {

class Animator;

class AnimatorHook : public Window, public WindowedPart {
  public:
    explicit AnimatorHook(Animator& animator) : Animator(animator) {}
    ~AnimatorHook() override;

    // Moves to another parent; the window is made under it once it has one.
    void SetParent(Window* parent);

    void ParentCreated(HWND parent) override;
    void ParentReleased() override;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    Animator& Animator;
    Window* parent_ = nullptr;
};

}  // namespace wendle
