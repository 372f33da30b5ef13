// The window base: what a form hands to its children, and creations that fail.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "dialog_watch.h"
#include "dialogs/about_window.h"
#include "main/main_window.h"
#include "support/bench.h"
#include "win/window.h"

namespace {

using namespace wendle;

// A system static taken over, which claims every reflected message.
class ClaimingControl : public Window {
  public:
    void Make(HWND parent, int id) {
        Attach(CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleA(nullptr), nullptr));
    }
    bool OnReflected(UINT message, WPARAM, LPARAM, LRESULT* result) override {
        claimed.push_back(message);
        *result = TRUE;
        return true;
    }
    std::vector<UINT> claimed;
};

// A form with a menu bar whose one item is drawn by its owner.
class MenuForm : public Window {
  public:
    HWND Create() {
        HMENU bar = CreateMenu();
        AppendMenuA(bar, MF_OWNERDRAW, 1, nullptr);
        return CreateBound({"WindowTestMenuForm", 0, COLOR_BTNFACE}, 0, "menu",
                           WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, RECT{50, 50, 350, 250}, nullptr,
                           bar);
    }
    int menuMeasures = 0;
    int menuDraws = 0;
    std::vector<UINT> commands;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_MEASUREITEM &&
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlType == ODT_MENU) {
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemWidth = 40;
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 16;
            ++menuMeasures;
            return TRUE;
        }
        if (message == WM_DRAWITEM &&
            reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->CtlType == ODT_MENU) {
            ++menuDraws;
            return TRUE;
        }
        if (message == WM_COMMAND) commands.push_back(LOWORD(wParam));
        return Window::HandleMessage(message, wParam, lParam);
    }
};

// The owner-drawn menu's messages come with id 0, which also finds a child
// without an id; and a child's user data is the program's only when the child
// is one of its controls.
TEST(Window, AFormReflectsOnlyToItsAttachedControlsAndKeepsItsMenusMessages) {
    dialog_watch::SetUpApplication();
    MenuForm form;
    ClaimingControl idless;
    int notAWindow = 12345;
    ASSERT_NE(nullptr, form.Create());
    idless.Make(form.Handle(), 0);
    HWND foreign = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, form.Handle(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(7)),
                                   GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(foreign, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&notAWindow));
    DrawMenuBar(form.Handle());
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(bench::WaitUntil([&] { return form.menuMeasures > 0 && form.menuDraws > 0; }))
        << "measured " << form.menuMeasures << ", drawn " << form.menuDraws;
    EXPECT_TRUE(idless.claimed.empty()) << "first claimed: " << idless.claimed.front();

    SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(7, STN_CLICKED),
                 reinterpret_cast<LPARAM>(foreign));
    EXPECT_EQ(std::vector<UINT>{7}, form.commands);
    EXPECT_EQ(12345, notAWindow);

    // A control of the program's own still has its notifications back.
    SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(0, STN_CLICKED),
                 reinterpret_cast<LPARAM>(idless.Handle()));
    EXPECT_EQ(std::vector<UINT>{WM_COMMAND}, idless.claimed);
    EXPECT_EQ(std::vector<UINT>{7}, form.commands);
}

class FailingForm : public Window {
  public:
    HWND Create() {
        return CreateBound({"WindowTestFailingForm", 0, COLOR_BTNFACE}, 0, "failing", WS_POPUP,
                           RECT{0, 0, 50, 50}, nullptr, nullptr);
    }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CREATE) throw std::runtime_error("no parts");
        return Window::HandleMessage(message, wParam, lParam);
    }
};

// A creation handler that fails leaves no half-made window, and its failure
// reaches the one who asked for the window.
TEST(Window, AFailureInTheCreationHandlerFailsTheCreationAndIsRaised) {
    dialog_watch::SetUpApplication();
    FailingForm form;
    std::string raised;
    try {
        form.Create();
    } catch (const std::runtime_error& failure) {
        raised = failure.what();
    }
    EXPECT_EQ("no parts", raised);
    EXPECT_EQ(nullptr, form.Handle());
    EXPECT_EQ(nullptr, FindWindowA("WindowTestFailingForm", nullptr));
}

// Refuses, on this thread, to make windows of one system class.
class Refusal {
  public:
    explicit Refusal(const char* windowClass) {
        refused = windowClass;
        hook_ = SetWindowsHookExA(WH_CBT, &Refuse, nullptr, GetCurrentThreadId());
    }
    ~Refusal() { UnhookWindowsHookEx(hook_); }
    bool Hooked() const { return hook_ != nullptr; }

  private:
    static LRESULT CALLBACK Refuse(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND) {
            const char* name = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->lpszClass;
            if (!IS_INTRESOURCE(name) && lstrcmpiA(name, refused) == 0) return 1;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static const char* refused;
    HHOOK hook_;
};
const char* Refusal::refused = "";

// Each kind of control the windows make: one that cannot be made fails the
// window's creation, where it used to leave a window without it.
TEST(Window, AControlThatCannotBeMadeFailsItsWindow) {
    dialog_watch::SetUpApplication();
    SetCurrentDirectoryA(bench::FreshFolder().c_str());
    for (const char* refused : {"LISTBOX", "COMBOBOX", "EDIT", "BUTTON"}) {
        SCOPED_TRACE(refused);
        Refusal refusal(refused);
        ASSERT_TRUE(refusal.Hooked());
        MainWindow mainWindow;
        EXPECT_FALSE(mainWindow.Create());
    }
    EXPECT_EQ(nullptr, App().MainForm());
    for (const char* refused : {"STATIC", "BUTTON"}) {
        SCOPED_TRACE(refused);
        Refusal refusal(refused);
        AboutWindow aboutWindow;
        EXPECT_FALSE(aboutWindow.Create());
        EXPECT_EQ(nullptr, aboutWindow.Handle());
    }
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

}  // namespace
