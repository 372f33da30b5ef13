#include "core/failure.h"
#include "widgets/animator.h"

#include <algorithm>
#include <vector>

#include "win/application.h"
#include "win/binding.h"
#include "win/fallback_box.h"

namespace wendle {

// The animator's invisible child of its form: its window's creation and
// destruction tell the animator when to take over the form's window procedure
// and when to give it back.
class AnimatorHook : public Window, public WindowedPart {
  public:
    explicit AnimatorHook(Animator& animator) : animator_(animator) {}

    ~AnimatorHook() override {
        // Destroyed here, while WM_DESTROY still reaches this class.
        if (Handle()) DestroyWindow(Handle());
        if (parent_) parent_->RemovePart(this);
    }

    // Moves to another parent; the window is made under it once it has one.
    void SetParent(Window* parent) {
        if (parent == parent_) return;
        if (Handle()) DestroyWindow(Handle());
        if (parent_) parent_->RemovePart(this);
        parent_ = parent;
        if (!parent_) return;
        parent_->AddPart(this);
        if (parent_->Handle()) ParentCreated(parent_->Handle());
    }

    void ParentCreated(HWND parent) override {
        if (Handle()) return;
        // Seen nowhere: a visible child of no size at the parent's corner.
        RECT none = {0, 0, 0, 0};
        CreateBound({"AnimatorHook", 0, COLOR_BTNFACE}, 0, "", WS_CHILD | WS_VISIBLE, none, parent,
                    nullptr);
    }

    void ParentReleased() override { parent_ = nullptr; }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CREATE) {
            LRESULT result = Window::HandleMessage(message, wParam, lParam);
            animator_.HookForm(GetParent(Handle()));
            return result;
        }
        if (message == WM_DESTROY) animator_.UnhookForm();
        return Window::HandleMessage(message, wParam, lParam);
    }

  private:
    Animator& animator_;
    Window* parent_ = nullptr;
};

namespace {

const char kOnePerForm[] = "AnimateWindowはフォームに一つしか置けません";

// The application window and the form are served by other objects: the
// animator subclasses them and finds itself by roles of its own. One animator
// a window in each role; another that comes leaves the window alone.
constexpr char kAppAnimator[] = "WendleAppAnimator";
constexpr char kFormAnimator[] = "WendleFormAnimator";

// The owner of every live instance, once for each.
std::vector<const Window*>& AnimatedForms() {
    static std::vector<const Window*> forms;
    return forms;
}

bool IsAnimated(const Window* form) {
    const auto& forms = AnimatedForms();
    return std::find(forms.begin(), forms.end(), form) != forms.end();
}

void RemoveOne(const Window* form) {
    auto& forms = AnimatedForms();
    auto found = std::find(forms.begin(), forms.end(), form);
    if (found != forms.end()) forms.erase(found);
}

// Takes over the window's procedure for the animator; the old one, or null
// when another animator holds the window in that role.
WNDPROC TakeOver(HWND window, const char* role, Animator* animator, WNDPROC procedure) {
    if (RoleObject<Animator>(window, role)) return nullptr;
    BindRole(window, role, animator);
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

void GiveBack(HWND window, const char* role, WNDPROC old) {
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    UnbindRole(window, role);
}

}  // namespace

Animator::Animator(Window& owner) : owner_(&owner) {
    if (IsAnimated(owner_)) {
        owner_ = nullptr;
        throw Failure{kOnePerForm};
    }
    // Listed before anything is taken over: nothing after this can fail and
    // leave a procedure behind.
    AnimatedForms().push_back(owner_);
    try {
        hook_ = std::make_unique<AnimatorHook>(*this);
    } catch (...) {
        RemoveOne(owner_);
        throw;
    }
    // While the first form is built there is no main form yet: the instance
    // on the main form is the one that takes over the application window.
    HWND app = App().Handle();
    if (!App().MainForm() && app) {
        oldAppProc_ = TakeOver(app, kAppAnimator, this, &Animator::AppProcedure);
        if (oldAppProc_) appWindow_ = app;
    }
}

Animator::~Animator() {
    if (appWindow_) GiveBack(appWindow_, kAppAnimator, oldAppProc_);
    if (owner_) RemoveOne(owner_);
    // Its window goes now, and with it the hold on the form.
    hook_.reset();
}

void Animator::SetParent(Window* parent) {
    hook_->SetParent(parent);
}

void Animator::HookForm(HWND form) {
    if (formWindow_) UnhookForm();
    if (!form) return;
    oldFormProc_ = TakeOver(form, kFormAnimator, this, &Animator::FormProcedure);
    if (oldFormProc_) formWindow_ = form;
}

void Animator::UnhookForm() {
    if (formWindow_) GiveBack(formWindow_, kFormAnimator, oldFormProc_);
    formWindow_ = nullptr;
}

LRESULT CALLBACK Animator::AppProcedure(HWND app, UINT message, WPARAM wParam, LPARAM lParam) {
    Animator* self = RoleObject<Animator>(app, kAppAnimator);
    if (!self) return DefWindowProcA(app, message, wParam, lParam);
    // Kept here: an event handler may release this instance.
    WNDPROC old = self->oldAppProc_;
    // The animator's rule, not Windows': wParam compared whole, so values that
    // differ in the low four bits pass by.
    if (message == WM_SYSCOMMAND && wParam == SC_MINIMIZE) {
        RunHandler([self] { self->AnimateMinimize(); });
    } else if (message == WM_SYSCOMMAND && wParam == SC_RESTORE) {
        RunHandler([self] { self->AnimateRestore(); });
    }
    return CallWindowProcA(old, app, message, wParam, lParam);
}

LRESULT CALLBACK Animator::FormProcedure(HWND form, UINT message, WPARAM wParam, LPARAM lParam) {
    Animator* self = RoleObject<Animator>(form, kFormAnimator);
    if (!self) return DefWindowProcA(form, message, wParam, lParam);
    WNDPROC old = self->oldFormProc_;
    // wParam compared whole, the animator's rule, as on the application window.
    if (message == WM_SYSCOMMAND && wParam == SC_MINIMIZE) {
        if (form == App().MainForm()) {
            RunHandler([self] { self->AnimateMinimize(); });
        } else {
            PostMessageA(App().Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        }
    } else if (message == WM_WINDOWPOSCHANGING) {
        // Brought forward without moving or sizing while minimized: restore.
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (pos && pos->flags == (SWP_NOSIZE | SWP_NOMOVE) && IsIconic(App().Handle())) {
            PostMessageA(App().Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
        }
    }
    return CallWindowProcA(old, form, message, wParam, lParam);
}
void Animator::AnimateMinimize() {
    HWND app = App().Handle();
    if (!IsWindowEnabled(app)) EnableWindow(app, TRUE);
    RECT r = {};
    GetWindowRect(owner_->Handle(), &r);
    SetForegroundWindow(app);
    SetWindowPos(app, nullptr, r.left, r.top, r.right - r.left, 0, SWP_NOZORDER);
    // Straight to the default procedure: no procedure of the window sees it.
    DefWindowProcA(app, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ShowWindow(app, SW_MINIMIZE);
    if (OnMinimize) OnMinimize(&App());
}

void Animator::AnimateRestore() {
    HWND app = App().Handle();
    HWND main = App().MainForm();
    WINDOWPLACEMENT form = {};
    form.length = sizeof form;
    GetWindowPlacement(main, &form);
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(app, &placement);
    // The animation ends on the main form's top edge, as wide as the form.
    placement.rcNormalPosition = form.rcNormalPosition;
    placement.rcNormalPosition.bottom = placement.rcNormalPosition.top;
    SetWindowPlacement(app, &placement);
    SetForegroundWindow(app);
    DefWindowProcA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
    ShowWindow(app, SW_RESTORE);
    SetWindowPos(app, nullptr, 0, 0, 0, 0, SWP_NOZORDER);
    // A main form hidden by the program does not come back with the others.
    if (main && !IsWindowVisible(main)) ShowWindow(main, SW_RESTORE);
    if (OnRestore) OnRestore(&App());
}

}  // namespace wendle
