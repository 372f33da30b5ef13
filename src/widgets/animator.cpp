#include "widgets/animator.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "win/application.h"
#include "widgets/animator_hook.h"
#include "win/fallback_box.h"
#include "win/procedure_stub.h"

namespace wendle {

namespace {

const char kOnePerForm[] = "AnimateWindowはフォームに一つしか置けません";

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

}  // namespace

Animator::Animator(Window& owner) : OwnerForm(&owner) {
    if (IsAnimated(OwnerForm)) {
        OwnerForm = nullptr;
        throw std::runtime_error(kOnePerForm);
    }
    // Listed before anything is taken over: nothing after this can fail and
    // leave a procedure behind.
    AnimatedForms().push_back(OwnerForm);
    try {
        HookWindow = std::make_unique<AnimatorHook>(*this);
    } catch (...) {
        RemoveOne(OwnerForm);
        throw;
    }
    // While the first form is built there is no main form yet: the instance
    // on the main form is the one that takes over the application window.
    HWND app = App().Handle();
    if (!App().MainForm() && app) {
        AppProcStub = MakeProcedureStub(&Animator::AppProcedure, this);
        if (AppProcStub) {
            OldAppProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(app, GWLP_WNDPROC));
            SetWindowLongPtrA(app, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AppProcStub));
            appWindow_ = app;
        }
    }
}

Animator::~Animator() {
    if (appWindow_) {
        SetWindowLongPtrA(appWindow_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldAppProc));
    }
    ReleaseProcedureStub(AppProcStub);
    if (OwnerForm) RemoveOne(OwnerForm);
    // Its window goes now, and with it the hold on the form.
    HookWindow.reset();
}

void Animator::SetParent(Window* parent) {
    HookWindow->SetParent(parent);
}

void Animator::HookForm(HWND form) {
    if (formWindow_) UnhookForm();
    FormProcStub = MakeProcedureStub(&Animator::FormProcedure, this);
    if (!FormProcStub || !form) return;
    OldFormProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(form, GWLP_WNDPROC));
    SetWindowLongPtrA(form, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FormProcStub));
    formWindow_ = form;
}

void Animator::UnhookForm() {
    if (formWindow_) {
        SetWindowLongPtrA(formWindow_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldFormProc));
    }
    ReleaseProcedureStub(FormProcStub);
    FormProcStub = nullptr;
    formWindow_ = nullptr;
}

LRESULT Animator::AppProcedure(void* self, HWND window, UINT message, WPARAM wParam,
                               LPARAM lParam) {
    return static_cast<Animator*>(self)->AppWndProc(window, message, wParam, lParam);
}

LRESULT Animator::FormProcedure(void* self, HWND window, UINT message, WPARAM wParam,
                                LPARAM lParam) {
    return static_cast<Animator*>(self)->FormWndProc(window, message, wParam, lParam);
}

LRESULT Animator::AppWndProc(HWND app, UINT message, WPARAM wParam, LPARAM lParam) {
    // Kept here: an event handler may release this instance.
    WNDPROC old = OldAppProc;
    // The whole wParam: values that differ in the low four bits are not ours.
    if (message == WM_SYSCOMMAND && wParam == SC_MINIMIZE) {
        RunHandler([this] { AnimateMinimize(); });
    } else if (message == WM_SYSCOMMAND && wParam == SC_RESTORE) {
        RunHandler([this] { AnimateRestore(); });
    }
    return CallWindowProcA(old, app, message, wParam, lParam);
}

LRESULT Animator::FormWndProc(HWND form, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC old = OldFormProc;
    if (message == WM_SYSCOMMAND && wParam == SC_MINIMIZE) {
        if (form == App().MainForm()) {
            RunHandler([this] { AnimateMinimize(); });
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
    GetWindowRect(OwnerForm->Handle(), &r);
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
