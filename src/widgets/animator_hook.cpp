#include "widgets/animator_hook.h"

#include "widgets/animator.h"

namespace wendle {

AnimatorHook::~AnimatorHook() {
    // Destroyed here, while WM_DESTROY still reaches this class.
    if (Handle()) DestroyWindow(Handle());
    if (parent_) parent_->RemovePart(this);
}

void AnimatorHook::SetParent(Window* parent) {
    if (parent == parent_) return;
    if (Handle()) DestroyWindow(Handle());
    if (parent_) parent_->RemovePart(this);
    parent_ = parent;
    if (!parent_) return;
    parent_->AddPart(this);
    if (parent_->Handle()) ParentCreated(parent_->Handle());
}

void AnimatorHook::ParentCreated(HWND parent) {
    if (Handle()) return;
    // Seen nowhere: a visible child of no size at the parent's corner.
    RECT none = {0, 0, 0, 0};
    CreateBound({"AnimatorHook", 0, COLOR_BTNFACE}, 0, "", WS_CHILD | WS_VISIBLE, none, parent,
                nullptr);
}

void AnimatorHook::ParentReleased() {
    parent_ = nullptr;
}

LRESULT AnimatorHook::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        LRESULT result = Window::HandleMessage(message, wParam, lParam);
        Animator.HookForm(GetParent(Handle()));
        return result;
    }
    if (message == WM_DESTROY) Animator.UnhookForm();
    return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace wendle
