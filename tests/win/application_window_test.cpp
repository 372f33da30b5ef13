// The application window: never seen, it owns the taskbar button and every
// form; minimizing it takes the forms away, restoring it brings them back.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "win/application.h"
#include "dialog_watch.h"
#include "main/main_ids.h"
#include "main/main_window.h"
#include "support/bench.h"
#include "support/windows.h"
#include "dialogs/about_ids.h"
#include "dialogs/about_window.h"

namespace {

using namespace wendle;

TEST(ApplicationWindow, OwnsTheTaskbarButtonAndEveryForm) {
    dialog_watch::SetUpApplication();
    SetCurrentDirectoryA(bench::FreshFolder().c_str());
    HWND app = App().Handle();
    ASSERT_EQ(nullptr, App().MainForm());
    {
        MainWindow mainWindow;
        mainWindow.Create();
        AboutWindow aboutWindow;
        aboutWindow.Create();
        // The first form made is the main form, not the one made after it.
        EXPECT_EQ(mainWindow.Handle(), App().MainForm());
        EXPECT_EQ(app, GetWindow(mainWindow.Handle(), GW_OWNER));
        EXPECT_EQ(app, GetWindow(aboutWindow.Handle(), GW_OWNER));

        // What makes the taskbar button: a visible unowned top-level window
        // with a caption, titled "Wendle", though of no size.
        EXPECT_EQ("Wendle", bench::WindowText(app));
        EXPECT_TRUE(IsWindowVisible(app));
        EXPECT_EQ(nullptr, GetWindow(app, GW_OWNER));
        EXPECT_EQ(0, GetWindowLongA(app, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
        EXPECT_NE(0, GetWindowLongA(app, GWL_STYLE) & WS_CAPTION);
        RECT r = bench::WindowRect(app);
        EXPECT_EQ(0, r.right - r.left);
        EXPECT_EQ(0, r.bottom - r.top);

        // The main window's animator holds both procedures.
        EXPECT_NE(GetClassLongPtrA(app, GCLP_WNDPROC),
                  static_cast<ULONG_PTR>(GetWindowLongPtrA(app, GWLP_WNDPROC)));
        EXPECT_NE(GetClassLongPtrA(mainWindow.Handle(), GCLP_WNDPROC),
                  static_cast<ULONG_PTR>(GetWindowLongPtrA(mainWindow.Handle(), GWLP_WNDPROC)));

        // The minimize button: the application minimizes, the main window
        // goes with it and is not minimized itself; the taskbar button
        // brings it back where it was.
        RECT before = bench::WindowRect(mainWindow.Handle());
        SendMessageA(mainWindow.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        EXPECT_TRUE(IsIconic(app));
        EXPECT_FALSE(IsWindowVisible(mainWindow.Handle()));
        EXPECT_FALSE(IsIconic(mainWindow.Handle()));
        // It was minimized from the main window's top edge: no handler needed.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(app, &placement);
        EXPECT_EQ(before.left, placement.rcNormalPosition.left);
        EXPECT_EQ(before.top, placement.rcNormalPosition.top);
        EXPECT_EQ(before.right, placement.rcNormalPosition.right);
        EXPECT_EQ(before.top, placement.rcNormalPosition.bottom);
        SendMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
        EXPECT_FALSE(IsIconic(app));
        EXPECT_TRUE(IsWindowVisible(mainWindow.Handle()));
        RECT after = bench::WindowRect(mainWindow.Handle());
        EXPECT_TRUE(EqualRect(&before, &after));
        EXPECT_FALSE(IsWindowVisible(aboutWindow.Handle())) << "hidden forms stay hidden";
    }
    // Both procedures given back before the windows went.
    EXPECT_EQ(GetClassLongPtrA(app, GCLP_WNDPROC),
              static_cast<ULONG_PTR>(GetWindowLongPtrA(app, GWLP_WNDPROC)));
    EXPECT_EQ(nullptr, App().MainForm());
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

// A form of the test's own, without an animator.
class PlainForm : public Window {
  public:
    void Create(int left) {
        RECT outer = {left, 100, left + 200, 250};
        CreateBound({"ApplicationTestForm", 0, COLOR_BTNFACE}, 0, "plain",
                    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, outer, App().Handle(),
                    nullptr);
        App().RegisterForm(Handle());
        ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    }
};

TEST(ApplicationWindow, MinimizingHidesTheFormsAndRestoringBringsThemBack) {
    dialog_watch::SetUpApplication();
    HWND app = App().Handle();
    ASSERT_EQ(nullptr, App().MainForm());
    PlainForm first, second, hidden;
    first.Create(100);
    second.Create(400);
    hidden.Create(700);
    ShowWindow(hidden.Handle(), SW_HIDE);
    EXPECT_EQ(first.Handle(), App().MainForm());

    // Every way of saying it: the menu of the taskbar button, the main form's
    // minimize button, and values with low bits set, which mean the same.
    const struct {
        HWND target;
        WPARAM command;
    } minimizes[] = {{app, SC_MINIMIZE}, {first.Handle(), SC_MINIMIZE}, {app, SC_MINIMIZE | 2}};
    for (const auto& m : minimizes) {
        SendMessageA(m.target, WM_SYSCOMMAND, m.command, 0);
        EXPECT_TRUE(IsIconic(app));
        EXPECT_FALSE(IsWindowVisible(first.Handle()));
        EXPECT_FALSE(IsWindowVisible(second.Handle()));
        EXPECT_FALSE(IsIconic(first.Handle()));
        // Said again while minimized: nothing changes.
        SendMessageA(app, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        EXPECT_TRUE(IsIconic(app));

        SendMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
        EXPECT_FALSE(IsIconic(app));
        EXPECT_TRUE(IsWindowVisible(first.Handle()));
        EXPECT_TRUE(IsWindowVisible(second.Handle()));
        EXPECT_FALSE(IsWindowVisible(hidden.Handle())) << "hidden by the program, stays hidden";
        SendMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
        EXPECT_TRUE(IsWindowVisible(first.Handle()));
    }
}

// The real program, as the user minimizes and restores it again and again,
// then closes it: it ends normally.
TEST(ApplicationWindow, ProgramSurvivesManyMinimizeRestoreCyclesAndEndsNormally) {
    bench::Wendle wendle(bench::FreshFolder());
    ASSERT_TRUE(wendle.Running());
    HWND main = wendle.MainWindow();
    HWND app = GetWindow(main, GW_OWNER);
    ASSERT_NE(nullptr, app);
    EXPECT_EQ("TApplication", bench::ClassName(app));
    EXPECT_EQ("Wendle", bench::WindowText(app));
    HANDLE process =
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, wendle.ProcessId());
    ASSERT_NE(nullptr, process);
    RECT before = bench::WindowRect(main);
    for (int cycle = 0; cycle < 25; ++cycle) {
        SCOPED_TRACE(cycle);
        PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ASSERT_TRUE(bench::WaitUntil([&] { return IsIconic(app) && !IsWindowVisible(main); }));
        PostMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
        ASSERT_TRUE(bench::WaitUntil([&] {
            RECT r = bench::WindowRect(app);
            return !IsIconic(app) && IsWindowVisible(main) && r.left == 0 && r.top == 0 &&
                   r.right == 0 && r.bottom == 0;
        }));
        RECT now = bench::WindowRect(main);
        ASSERT_TRUE(EqualRect(&before, &now));
    }
    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, 15000));
    DWORD code = 1;
    GetExitCodeProcess(process, &code);
    EXPECT_EQ(0u, code);
    CloseHandle(process);
}

// A form that notes the handle it knows when its last message arrives.
class LastMessageForm : public Window {
  public:
    HWND Create() {
        return CreateBound({"ApplicationTestLastMessage", 0, COLOR_BTNFACE}, 0, "last", WS_POPUP,
                           RECT{0, 0, 50, 50}, nullptr, nullptr);
    }
    HWND known = nullptr;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NCDESTROY) known = Handle();
        return Window::HandleMessage(message, wParam, lParam);
    }
};

// The system's own clean-up of the last message needs the window's handle:
// the form still has it then, and lets go of it only after.
TEST(ApplicationWindow, TheLastMessageReachesTheDefaultProcedureWithTheWindow) {
    dialog_watch::SetUpApplication();
    LastMessageForm form;
    HWND window = form.Create();
    ASSERT_NE(nullptr, window);
    DestroyWindow(window);
    EXPECT_EQ(window, form.known);
    EXPECT_EQ(nullptr, form.Handle());
}

BOOL CALLBACK AddClassName(HWND window, LPARAM names) {
    *reinterpret_cast<std::string*>(names) += bench::ClassName(window) + " ";
    return TRUE;
}

// A class name held by another procedure makes the window impossible: each
// start-up step says so with the system's error, and leaves nothing made.
TEST(ApplicationWindow, StartUpStepsReportAWindowTheyCouldNotMake) {
    HINSTANCE module = GetModuleHandleA(nullptr);
    for (const char* name : {"TApplication", kMainWindowClass, kAboutWindowClass}) {
        WNDCLASSEXA other{};
        other.cbSize = sizeof other;
        other.lpfnWndProc = &DefWindowProcA;
        other.hInstance = module;
        other.lpszClassName = name;
        ASSERT_NE(0, RegisterClassExA(&other)) << name;
    }
    SetCurrentDirectoryA(bench::FreshFolder().c_str());

    EXPECT_FALSE(App().Initialize(module));
    EXPECT_EQ(static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS), GetLastError());
    EXPECT_EQ(nullptr, App().Handle());

    MainWindow mainWindow;
    EXPECT_FALSE(mainWindow.Create());
    EXPECT_EQ(static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS), GetLastError());
    EXPECT_EQ(nullptr, mainWindow.Handle());
    EXPECT_EQ(nullptr, App().MainForm());

    AboutWindow aboutWindow;
    EXPECT_FALSE(aboutWindow.Create());
    EXPECT_EQ(static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS), GetLastError());
    EXPECT_EQ(nullptr, aboutWindow.Handle());

    // This thread's own, shown or not: another program may run a Wendle meanwhile.
    std::string classes;
    EnumThreadWindows(GetCurrentThreadId(), &AddClassName, reinterpret_cast<LPARAM>(&classes));
    EXPECT_EQ(std::string::npos, classes.find(kMainWindowClass)) << classes;
    EXPECT_EQ(std::string::npos, classes.find(kAboutWindowClass)) << classes;
}

}  // namespace
