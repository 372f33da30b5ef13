// The minimize and restore animator on forms of the test's own, driven by the
// messages the system and the user send, and judged by what the application
// window and the forms show afterwards.
#include "widgets/animator.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

#include "dialog_watch.h"
#include "core/failure.h"
#include "support/bench.h"
#include "support/texts.h"
#include "support/windows.h"
#include "win/window.h"
#include "win/fallback_box.h"

namespace {

using namespace wendle;

class TestForm : public Window {
  public:
    explicit TestForm(RECT outer) : outer_(outer) {}

    void Create() {
        CreateBound({"AnimateTestForm", 0, COLOR_BTNFACE}, 0, "form",
                    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, outer_,
                    App().Handle(), nullptr);
        window_ = Handle();
        App().RegisterForm(Handle());
        ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    }
    // As the framework does when a window style changes: a new window, same object.
    void Recreate() {
        DestroyWindow(Handle());
        Create();
    }

    std::vector<WPARAM> sysCommands;  // as the form's own procedure saw them
    LONG_PTR procedureAtNcDestroy = 0;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SYSCOMMAND) sysCommands.push_back(wParam);
        if (message == WM_NCDESTROY) {
            procedureAtNcDestroy = GetWindowLongPtrA(window_, GWLP_WNDPROC);
        }
        return Window::HandleMessage(message, wParam, lParam);
    }

  private:
    RECT outer_;
    HWND window_ = nullptr;
};

// What the system is about to minimize or restore, seen at that moment.
struct MinMax {
    int command;
    RECT rect;    // the window's rectangle
    RECT normal;  // its restored rectangle
};
std::vector<MinMax> minMaxes;
HWND minMaxWatched = nullptr;

LRESULT CALLBACK WatchMinMax(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_MINMAX && window == minMaxWatched) {
        MinMax seen{static_cast<int>(LOWORD(lParam)), {}, {}};
        GetWindowRect(window, &seen.rect);
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(window, &placement);
        seen.normal = placement.rcNormalPosition;
        minMaxes.push_back(seen);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LONG_PTR ProcedureOf(HWND window) {
    return GetWindowLongPtrA(window, GWLP_WNDPROC);
}

LONG_PTR ClassProcedureOf(HWND window) {
    return static_cast<LONG_PTR>(GetClassLongPtrA(window, GCLP_WNDPROC));
}

// Removes and returns the wParams of the WM_SYSCOMMANDs posted to the window.
std::vector<WPARAM> TakePostedSysCommands(HWND window) {
    std::vector<WPARAM> posted;
    MSG msg;
    while (PeekMessageA(&msg, window, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE)) {
        posted.push_back(msg.wParam);
    }
    return posted;
}

RECT Rect(int left, int top, int right, int bottom) {
    return RECT{left, top, right, bottom};
}

::testing::AssertionResult SameRect(const RECT& expected, const RECT& actual) {
    if (EqualRect(&expected, &actual)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "expected (" << expected.left << "," << expected.top << ")-(" << expected.right << ","
           << expected.bottom << "), got (" << actual.left << "," << actual.top << ")-("
           << actual.right << "," << actual.bottom << ")";
}

class AnimateWindowTest : public testing::Test {
  protected:
    static void SetUpTestSuite() { dialog_watch::SetUpApplication(); }

    void SetUp() override {
        app = App().Handle();
        ASSERT_EQ(nullptr, App().MainForm()) << "a form of an earlier test is left";
        appProcedure = ProcedureOf(app);
        // Built as start-up builds the main window: the animator first.
        main = std::make_unique<TestForm>(Rect(200, 150, 500, 350));
        animator = std::make_unique<Animator>(*main);
        animator->SetParent(main.get());
        main->Create();
        Count(*animator, &minimized, &restored);
        minMaxWatched = app;
        minMaxes.clear();
        hook = SetWindowsHookExA(WH_CBT, &WatchMinMax, nullptr, GetCurrentThreadId());
    }

    void TearDown() override {
        UnhookWindowsHookEx(hook);
        animator.reset();
        main.reset();
        // The next test starts with the application as start-up leaves it.
        App().Restore();
        EnableWindow(app, TRUE);
        SetWindowPos(app, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
        TakePostedSysCommands(app);
        EXPECT_EQ(appProcedure, ProcedureOf(app)) << "application procedure not put back";
    }

    void Count(Animator& instance, int* minimizes, int* restores) {
        instance.OnMinimize = [this, minimizes](void* sender) {
            EXPECT_EQ(&App(), sender);
            ++*minimizes;
            visibleAtEvent = IsWindowVisible(main->Handle()) != FALSE;
        };
        instance.OnRestore = [this, restores](void* sender) {
            EXPECT_EQ(&App(), sender);
            ++*restores;
            visibleAtEvent = IsWindowVisible(main->Handle()) != FALSE;
        };
    }

    // What the system saw when it began the first minimize or restore since
    // the last clearing.
    const MinMax* FirstMinMax(int command) const {
        for (const MinMax& seen : minMaxes) {
            if (seen.command == command) return &seen;
        }
        return nullptr;
    }

    HWND app = nullptr;
    LONG_PTR appProcedure = 0;
    HHOOK hook = nullptr;
    std::unique_ptr<TestForm> main;
    std::unique_ptr<Animator> animator;
    int minimized = 0;
    int restored = 0;
    bool visibleAtEvent = false;
};

TEST_F(AnimateWindowTest, MinimizeButtonAnimatesFromTheFormAndRestoreEndsOnIt) {
    TestForm other(Rect(600, 100, 800, 250));
    other.Create();
    ASSERT_NE(appProcedure, ProcedureOf(app));
    ASSERT_NE(ClassProcedureOf(main->Handle()), ProcedureOf(main->Handle()));
    RECT before = bench::WindowRect(main->Handle());

    minMaxes.clear();
    SendMessageA(main->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(app));
    const MinMax* down = FirstMinMax(SW_MINIMIZE);
    ASSERT_NE(nullptr, down);
    // The form's left, top and width with a height of 0.
    EXPECT_TRUE(SameRect(Rect(before.left, before.top, before.right, before.top), down->rect));
    EXPECT_FALSE(IsWindowVisible(main->Handle()));
    EXPECT_FALSE(IsWindowVisible(other.Handle()));
    EXPECT_FALSE(IsIconic(main->Handle())) << "the main form itself is never minimized";
    EXPECT_EQ(1, minimized);
    EXPECT_EQ(0, restored);
    // The form's own procedure still gets the message, after the animator acted.
    EXPECT_EQ(std::vector<WPARAM>{SC_MINIMIZE}, main->sysCommands);
    EXPECT_TRUE(TakePostedSysCommands(app).empty());

    // The taskbar button.
    minMaxes.clear();
    SendMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsIconic(app));
    const MinMax* up = FirstMinMax(SW_RESTORE);
    ASSERT_NE(nullptr, up);
    EXPECT_TRUE(SameRect(Rect(before.left, before.top, before.right, before.top), up->normal));
    EXPECT_TRUE(SameRect(Rect(0, 0, 0, 0), bench::WindowRect(app)));
    EXPECT_TRUE(IsWindowVisible(main->Handle()));
    EXPECT_TRUE(IsWindowVisible(other.Handle()));
    EXPECT_TRUE(SameRect(before, bench::WindowRect(main->Handle())));
    EXPECT_EQ(1, minimized);
    EXPECT_EQ(1, restored);
    EXPECT_TRUE(visibleAtEvent);

    // Said twice, each is carried out once more; nothing is done twice inside.
    SendMessageA(app, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(app));
    EXPECT_EQ(2, minimized);
}

TEST_F(AnimateWindowTest, ValuesDifferingInTheLowFourBitsAreNotTheAnimators) {
    for (WPARAM low : {1, 2, 15}) {
        SCOPED_TRACE(low);
        // The application's own handling still minimizes and restores, but
        // from and to its own zero-sized rectangle, with no event.
        minMaxes.clear();
        SendMessageA(app, WM_SYSCOMMAND, SC_MINIMIZE | low, 0);
        EXPECT_TRUE(IsIconic(app));
        ASSERT_NE(nullptr, FirstMinMax(SW_MINIMIZE));
        EXPECT_EQ(0, FirstMinMax(SW_MINIMIZE)->rect.right - FirstMinMax(SW_MINIMIZE)->rect.left);
        SendMessageA(app, WM_SYSCOMMAND, SC_RESTORE | low, 0);
        EXPECT_FALSE(IsIconic(app));
        EXPECT_TRUE(IsWindowVisible(main->Handle()));

        // On the form the value goes to the form's own procedure alone.
        minMaxes.clear();
        SendMessageA(main->Handle(), WM_SYSCOMMAND, SC_MINIMIZE | low, 0);
        EXPECT_TRUE(IsIconic(app));
        ASSERT_NE(nullptr, FirstMinMax(SW_MINIMIZE));
        EXPECT_EQ(0, FirstMinMax(SW_MINIMIZE)->rect.right - FirstMinMax(SW_MINIMIZE)->rect.left);
        EXPECT_TRUE(TakePostedSysCommands(app).empty());
        App().Restore();
    }
    EXPECT_EQ(0, minimized);
    EXPECT_EQ(0, restored);
}

TEST_F(AnimateWindowTest, OnlyFlagsExactlyNoSizeNoMoveWhileMinimizedAskForARestore) {
    struct Case {
        UINT flags;
        bool minimized;
        std::size_t posted;
    };
    const Case cases[] = {
        {SWP_NOSIZE | SWP_NOMOVE, true, 1},
        {SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE, true, 0},
        {SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER, true, 0},
        {SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW, true, 0},
        {SWP_NOSIZE, true, 0},
        {SWP_NOSIZE | SWP_NOMOVE, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "flags " << c.flags << " minimized " << c.minimized);
        if (c.minimized) App().Minimize();
        ASSERT_EQ(c.minimized, IsIconic(app) != FALSE);
        WINDOWPOS pos{main->Handle(), nullptr, 10, 20, 30, 40, c.flags};
        const WINDOWPOS sent = pos;
        SendMessageA(main->Handle(), WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
        EXPECT_EQ(0, std::memcmp(&sent, &pos, sizeof pos)) << "WINDOWPOS changed";
        std::vector<WPARAM> posted = TakePostedSysCommands(app);
        EXPECT_EQ(c.posted, posted.size());
        for (WPARAM p : posted) EXPECT_EQ(static_cast<WPARAM>(SC_RESTORE), p);
        App().Restore();
    }
    EXPECT_EQ(0, restored);

    // Posted, not done at once: the restore happens when the queue is read.
    App().Minimize();
    WINDOWPOS pos{main->Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE};
    SendMessageA(main->Handle(), WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    EXPECT_TRUE(IsIconic(app));
    EXPECT_TRUE(bench::WaitUntil([&] { return !IsIconic(app); }));
    EXPECT_EQ(1, restored);
    EXPECT_TRUE(IsWindowVisible(main->Handle()));

    // The system's own call when a form is brought forward.
    App().Minimize();
    SetWindowPos(main->Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    EXPECT_EQ(std::vector<WPARAM>{SC_RESTORE}, TakePostedSysCommands(app));
}

TEST_F(AnimateWindowTest, AnotherFormsMinimizeIsPostedToTheApplication) {
    TestForm second(Rect(600, 100, 800, 250));
    Animator secondAnimator(second);
    // There is a main form now: this one leaves the application window alone.
    LONG_PTR taken = ProcedureOf(app);
    secondAnimator.SetParent(&second);
    second.Create();
    EXPECT_EQ(taken, ProcedureOf(app));
    int secondMinimized = 0;
    secondAnimator.OnMinimize = [&](void*) { ++secondMinimized; };
    RECT mainRect = bench::WindowRect(main->Handle());

    SendMessageA(second.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    // The form's own processing goes on as usual; the application waits.
    EXPECT_EQ(std::vector<WPARAM>{SC_MINIMIZE}, second.sysCommands);
    EXPECT_FALSE(IsIconic(app));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, app, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
    EXPECT_EQ(static_cast<WPARAM>(SC_MINIMIZE), msg.wParam);
    EXPECT_EQ(0, msg.lParam);
    EXPECT_TRUE(TakePostedSysCommands(app).empty()) << "posted more than once";

    // Read from the queue, it is the main form's animator that minimizes.
    minMaxes.clear();
    DispatchMessageA(&msg);
    EXPECT_TRUE(IsIconic(app));
    ASSERT_NE(nullptr, FirstMinMax(SW_MINIMIZE));
    EXPECT_TRUE(SameRect(Rect(mainRect.left, mainRect.top, mainRect.right, mainRect.top),
                         FirstMinMax(SW_MINIMIZE)->rect));
    EXPECT_EQ(1, minimized);
    EXPECT_EQ(0, secondMinimized);
}

TEST_F(AnimateWindowTest, MinimizeEnablesADisabledApplicationWindowFirst) {
    EnableWindow(app, FALSE);
    SendMessageA(main->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(app));
    EXPECT_TRUE(IsWindowEnabled(app));
    EXPECT_EQ(1, minimized);
    SendMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(IsWindowEnabled(app));

    EnableWindow(app, FALSE);
    SendMessageA(app, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(app));
    EXPECT_TRUE(IsWindowEnabled(app));
    EXPECT_EQ(2, minimized);
}

TEST_F(AnimateWindowTest, ARestoreShowsAMainFormTheProgramHid) {
    TestForm other(Rect(600, 100, 800, 250));
    other.Create();
    ShowWindow(other.Handle(), SW_HIDE);
    // Hidden as the encode job hides it, then minimized and restored.
    ShowWindow(main->Handle(), SW_HIDE);
    SendMessageA(app, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(IsIconic(app));
    SendMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(IsWindowVisible(main->Handle()));
    EXPECT_FALSE(IsIconic(main->Handle()));
    EXPECT_EQ(1, restored);
    EXPECT_TRUE(visibleAtEvent) << "shown before OnRestore";
    EXPECT_FALSE(IsWindowVisible(other.Handle())) << "only the main form is brought back";
}

TEST_F(AnimateWindowTest, OneInstancePerFormAndTheFirstKeepsWorking) {
    const LONG_PTR formProcedure = ProcedureOf(main->Handle());
    const LONG_PTR appTaken = ProcedureOf(app);
    try {
        Animator second(*main);
        second.SetParent(main.get());
        ADD_FAILURE() << "a second instance on the form was accepted";
    } catch (const Failure& failure) {
        EXPECT_BYTES(bench::texts::kOnePerForm, failure.text);
    }
    EXPECT_EQ(formProcedure, ProcedureOf(main->Handle()));
    EXPECT_EQ(appTaken, ProcedureOf(app));
    HWND hookWindow = GetWindow(main->Handle(), GW_CHILD);
    ASSERT_NE(nullptr, hookWindow);
    EXPECT_EQ(nullptr, GetWindow(hookWindow, GW_HWNDNEXT)) << "one hook window only";

    SendMessageA(main->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(1, minimized);
    SendMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_EQ(1, restored);

    // Gone: both procedures are the original ones again, the hook window too.
    animator.reset();
    EXPECT_EQ(ClassProcedureOf(main->Handle()), ProcedureOf(main->Handle()));
    EXPECT_EQ(appProcedure, ProcedureOf(app));
    EXPECT_FALSE(IsWindow(hookWindow));

    // Now a new one is accepted, and takes the existing window at once.
    animator = std::make_unique<Animator>(*main);
    animator->SetParent(main.get());
    EXPECT_NE(ClassProcedureOf(main->Handle()), ProcedureOf(main->Handle()));
    int again = 0;
    animator->OnMinimize = [&](void*) { ++again; };
    SendMessageA(main->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(1, again);
}

// Nothing catches it while a form is built: the fallback box shows it.
TEST_F(AnimateWindowTest, AnUncaughtRefusalReachesTheFallbackBox) {
    bench::DialogView box;
    HWND owner = nullptr;
    ASSERT_TRUE(dialog_watch::WithDialog(
        [&] {
            RunHandler([&] {
                TestForm form(Rect(100, 100, 300, 300));
                Animator first(form);
                Animator second(form);
            });
        },
        [&](HWND dialog) {
            box = bench::ReadDialog(dialog);
            owner = GetWindow(dialog, GW_OWNER);
            bench::PressButton(dialog, "OK");
        }));
    EXPECT_BYTES(std::string(bench::texts::kOnePerForm) + ".", box.message);
    EXPECT_EQ("Wendle", box.title);
    EXPECT_EQ(app, owner);
    // The first instance went with the form it was built for; the main
    // form's own instance still holds the application window.
    SendMessageA(app, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(1, minimized);
}

TEST_F(AnimateWindowTest, RecreatedFormIsTakenOverAgainAndHidingKeepsTheHook) {
    HWND hookWindow = GetWindow(main->Handle(), GW_CHILD);
    ShowWindow(main->Handle(), SW_HIDE);
    ShowWindow(main->Handle(), SW_SHOW);
    EXPECT_EQ(hookWindow, GetWindow(main->Handle(), GW_CHILD));
    EXPECT_NE(ClassProcedureOf(main->Handle()), ProcedureOf(main->Handle()));

    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        HWND old = main->Handle();
        main->procedureAtNcDestroy = 0;
        main->Recreate();
        // Put back on the old window before it went, taken on the new one.
        EXPECT_EQ(ClassProcedureOf(main->Handle()), main->procedureAtNcDestroy);
        EXPECT_FALSE(IsWindow(old));
        EXPECT_NE(ClassProcedureOf(main->Handle()), ProcedureOf(main->Handle()));
        SendMessageA(main->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        EXPECT_TRUE(IsIconic(app));
        EXPECT_EQ(round + 1, minimized);
        SendMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
        EXPECT_TRUE(IsWindowVisible(main->Handle()));
    }
}

TEST_F(AnimateWindowTest, AnInstanceWithoutParentTakesOnlyTheApplicationWindow) {
    // Without a main form, as while the first form is being built.
    animator.reset();
    main.reset();
    ASSERT_EQ(nullptr, App().MainForm());
    TestForm form(Rect(100, 100, 300, 300));
    {
        Animator alone(form);
        EXPECT_NE(appProcedure, ProcedureOf(app));
        form.Create();
        EXPECT_EQ(ClassProcedureOf(form.Handle()), ProcedureOf(form.Handle()));
        EXPECT_EQ(nullptr, GetWindow(form.Handle(), GW_CHILD));
        int count = 0;
        alone.OnMinimize = [&](void*) { ++count; };
        SendMessageA(app, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        EXPECT_EQ(1, count);
        SendMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
    }
    EXPECT_EQ(appProcedure, ProcedureOf(app));
}

TEST_F(AnimateWindowTest, ManyCyclesAndARecreationLeaveNothingBehind) {
    TestForm other(Rect(600, 100, 800, 250));
    Animator otherAnimator(other);
    otherAnimator.SetParent(&other);
    other.Create();
    for (int cycle = 0; cycle < 40; ++cycle) {
        if (cycle == 20) main->Recreate();
        if (cycle % 2) {
            SendMessageA(other.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
            ShowWindow(other.Handle(), SW_RESTORE);
        } else {
            SendMessageA(main->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        }
        ASSERT_TRUE(bench::WaitUntil([&] { return IsIconic(app) != FALSE; }, 5000)) << cycle;
        // The taskbar button, or bringing a form forward.
        if (cycle % 3) {
            PostMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
        } else {
            SetWindowPos(main->Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
            PostMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
        }
        ASSERT_TRUE(bench::WaitUntil([&] { return !IsIconic(app); }, 5000)) << cycle;
        ASSERT_TRUE(IsWindowVisible(main->Handle()));
    }
    EXPECT_EQ(40, minimized);
    EXPECT_LE(40, restored);
    EXPECT_TRUE(SameRect(Rect(0, 0, 0, 0), bench::WindowRect(app)));
}

}  // namespace
