#include "dialogs/message_dialog.h"

#include <gtest/gtest.h>

#include <vector>

#include "dialog_watch.h"
#include "support/texts.h"
#include "core/dialog_metrics.h"
#include "dialogs/message_dialog_ids.h"

namespace {

using namespace wendle;

const int kControlIds[] = {kMessageIconId, kMessageTextId, kMessageOkId, kMessageCancelId};

// What the helper thread sees while the dialog is open.
struct Seen {
    bench::DialogView view;
    RECT client{};
    LONG style = 0;
    HICON icon = nullptr;
    HWND owner = nullptr;
    bool ownerEnabled = true;
    int focusId = 0;
    LRESULT defId = 0;
    std::vector<RECT> controls;  // in the order of kControlIds, client coordinates
};

Seen Read(HWND dialog) {
    Seen seen;
    seen.view = bench::ReadDialog(dialog);
    GetClientRect(dialog, &seen.client);
    seen.style = GetWindowLongA(dialog, GWL_STYLE);
    seen.icon = dialog_watch::ShownIcon(dialog);
    seen.owner = GetWindow(dialog, GW_OWNER);
    seen.ownerEnabled = IsWindowEnabled(seen.owner) != 0;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    seen.focusId = GetDlgCtrlID(info.hwndFocus);
    seen.defId = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    for (int id : kControlIds) {
        HWND control = GetDlgItem(dialog, id);
        if (!control) continue;
        RECT r = bench::WindowRect(control);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        seen.controls.push_back(r);
    }
    return seen;
}

enum class Action { Enter, Escape, CloseBox, ClickOk, ClickCancel };

void Act(HWND dialog, Action action) {
    switch (action) {
        case Action::Enter:
            bench::PressKey(dialog, VK_RETURN);
            break;
        case Action::Escape:
            bench::PressKey(dialog, VK_ESCAPE);
            break;
        case Action::CloseBox:
            PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        case Action::ClickOk:
            bench::PressButton(dialog, "OK");
            break;
        case Action::ClickCancel:
            bench::PressButton(dialog, bench::texts::kCancel);
            break;
    }
}

struct Outcome {
    Seen seen;
    int result = -100;
};

Outcome Show(const std::string& text, MessageKind kind, MessageButtons buttons, int x, int y,
             Action action) {
    Outcome outcome;
    bool appeared = dialog_watch::WithDialog(
        [&] {
            try {
                outcome.result = ShowMessageDialog(text, kind, buttons, x, y);
            } catch (...) {
                ADD_FAILURE() << "ShowMessageDialog threw";
            }
        },
        [&](HWND dialog) {
            outcome.seen = Read(dialog);
            Act(dialog, action);
        });
    EXPECT_TRUE(appeared);
    return outcome;
}

int TextHeight(HDC dc) {
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    return metrics.tmHeight;
}

// Measures in the system's message font, as the dialog must.
class MessageFontDc {
  public:
    MessageFontDc() {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        font_ = CreateFontIndirectA(&metrics.lfMessageFont);
        dc_ = GetDC(nullptr);
        previous_ = SelectObject(dc_, font_);
    }
    ~MessageFontDc() {
        SelectObject(dc_, previous_);
        ReleaseDC(nullptr, dc_);
        DeleteObject(font_);
    }
    HDC Dc() const { return dc_; }
    int Width(const std::string& text) const {
        SIZE size{};
        GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }

  private:
    HFONT font_;
    HDC dc_;
    HGDIOBJ previous_;
};

MessageLayout ExpectedLayout(const std::string& text, const std::vector<std::string>& captions,
                             const Seen& seen, int x, int y) {
    MessageFontDc measure;
    MessageLayoutInput in;
    in.charWidth = measure.Width("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52;
    in.lineHeight = TextHeight(measure.Dc());
    in.screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT box{0, 0, in.screen.width / 2, 0};
    DrawTextA(measure.Dc(), text.c_str(), static_cast<int>(text.size()), &box,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    in.text = {box.right, box.bottom};
    for (const std::string& caption : captions) in.captionWidths.push_back(measure.Width(caption));
    const RECT& outer = seen.view.outer;
    in.frame = {outer.right - outer.left - seen.client.right,
                outer.bottom - outer.top - seen.client.bottom};
    in.x = x;
    in.y = y;
    return LayoutMessageDialog(in);
}

void ExpectLayout(const MessageLayout& expected, const Seen& seen) {
    EXPECT_EQ(expected.client.width, seen.client.right);
    EXPECT_EQ(expected.client.height, seen.client.bottom);
    EXPECT_EQ(expected.left, seen.view.outer.left);
    EXPECT_EQ(expected.top, seen.view.outer.top);
    std::vector<PixelRect> rects = {expected.icon, expected.text};
    rects.insert(rects.end(), expected.buttons.begin(), expected.buttons.end());
    ASSERT_EQ(rects.size(), seen.controls.size());
    for (std::size_t i = 0; i < rects.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "control id " << kControlIds[i]);
        const RECT& got = seen.controls[i];
        EXPECT_EQ(rects[i].left, got.left);
        EXPECT_EQ(rects[i].top, got.top);
        EXPECT_EQ(rects[i].width, got.right - got.left);
        EXPECT_EQ(rects[i].height, got.bottom - got.top);
    }
}

class MessageDialogTest : public testing::Test {
  protected:
    static void SetUpTestSuite() { dialog_watch::SetUpApplication(); }
};

const std::string kInputMissing = std::string("\n") + bench::texts::kInputMissing;

TEST_F(MessageDialogTest, ErrorDialogStandsAtTheAskedCorner) {
    Outcome got =
        Show(kInputMissing, MessageKind::Error, MessageButtons::Ok, 200, 170, Action::Enter);
    EXPECT_EQ(kResultOk, got.result);
    EXPECT_BYTES(bench::texts::kErrorTitle, got.seen.view.title);
    EXPECT_BYTES(kInputMissing, got.seen.view.message);
    EXPECT_EQ(std::vector<std::string>{"OK"}, got.seen.view.buttons);
    EXPECT_EQ(LoadIconA(nullptr, IDI_HAND), got.seen.icon);
    ExpectLayout(ExpectedLayout(kInputMissing, {"OK"}, got.seen, 200, 170), got.seen);

    // A fixed dialog frame with a close box and nothing to size it with.
    EXPECT_EQ(WS_CAPTION | WS_SYSMENU, got.seen.style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                                                         WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(kMessageOkId, got.seen.focusId);
    EXPECT_EQ(MAKELRESULT(kMessageOkId, DC_HASDEFID), got.seen.defId);
    EXPECT_EQ(App().Handle(), got.seen.owner);
    EXPECT_FALSE(got.seen.ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(App().Handle()));
}

TEST_F(MessageDialogTest, OverwriteQuestionIsCentred) {
    const std::string question = bench::texts::kOverwriteQuestion;
    Outcome got =
        Show(question, MessageKind::Confirmation, MessageButtons::OkCancel, -1, -1, Action::Escape);
    EXPECT_EQ(kResultCancel, got.result);
    EXPECT_BYTES(bench::texts::kConfirmTitle, got.seen.view.title);
    EXPECT_BYTES(question, got.seen.view.message);
    std::vector<std::string> buttons = {"OK", bench::texts::kCancel};
    EXPECT_EQ(buttons, got.seen.view.buttons);
    EXPECT_EQ(LoadIconA(nullptr, IDI_QUESTION), got.seen.icon);
    EXPECT_NE(LoadIconA(nullptr, IDI_HAND), LoadIconA(nullptr, IDI_QUESTION));
    ExpectLayout(ExpectedLayout(question, buttons, got.seen, -1, -1), got.seen);
    const RECT& outer = got.seen.view.outer;
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) / 2 - (outer.right - outer.left) / 2, outer.left);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) / 2 - (outer.bottom - outer.top) / 2, outer.top);
    EXPECT_EQ(kMessageOkId, got.seen.focusId);
}

// A main window moved far left asks for a negative left.
TEST_F(MessageDialogTest, NegativeLeftIsCentredButTheTopIsKept) {
    Outcome got =
        Show(kInputMissing, MessageKind::Error, MessageButtons::Ok, -50, 170, Action::ClickOk);
    EXPECT_EQ(kResultOk, got.result);
    const RECT& outer = got.seen.view.outer;
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) / 2 - (outer.right - outer.left) / 2, outer.left);
    EXPECT_EQ(170, outer.top);
}

TEST_F(MessageDialogTest, ButtonsKeysAndTheCloseBoxGiveTheirResults) {
    struct Row {
        MessageKind kind;
        Action action;
        int result;
    };
    const Row rows[] = {
        {MessageKind::Error, Action::ClickOk, kResultOk},
        {MessageKind::Error, Action::Enter, kResultOk},
        {MessageKind::Error, Action::Escape, kResultOk},
        {MessageKind::Error, Action::CloseBox, kResultCancel},
        {MessageKind::Confirmation, Action::ClickOk, kResultOk},
        {MessageKind::Confirmation, Action::Enter, kResultOk},
        {MessageKind::Confirmation, Action::Escape, kResultCancel},
        {MessageKind::Confirmation, Action::ClickCancel, kResultCancel},
        {MessageKind::Confirmation, Action::CloseBox, kResultCancel},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(row.kind) << ", action "
                                        << static_cast<int>(row.action));
        MessageButtons buttons =
            row.kind == MessageKind::Error ? MessageButtons::Ok : MessageButtons::OkCancel;
        EXPECT_EQ(row.result, Show("\nx", row.kind, buttons, 100, 100, row.action).result);
    }
}

TEST_F(MessageDialogTest, LinesMakeItTallerAndLongLinesWrapAtHalfTheScreen) {
    Outcome four =
        Show("\nA\nB\nC", MessageKind::Error, MessageButtons::Ok, 100, 100, Action::Enter);
    Outcome six =
        Show("\nA\nB\nC\nD\nE", MessageKind::Error, MessageButtons::Ok, 100, 100, Action::Enter);
    std::string words;
    for (int i = 0; i < 80; ++i) words += "wrap ";
    Outcome wrapped = Show(words, MessageKind::Error, MessageButtons::Ok, 100, 100, Action::Enter);

    MessageFontDc measure;
    const int line = TextHeight(measure.Dc());
    ASSERT_GE(4 * line, 32) << "four lines must be taller than the icon";
    EXPECT_EQ(four.seen.client.bottom + 2 * line, six.seen.client.bottom);

    ASSERT_EQ(3u, wrapped.seen.controls.size());  // icon, text, OK
    const RECT& text = wrapped.seen.controls[1];
    EXPECT_LE(text.right - text.left, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_GT(text.right - text.left, GetSystemMetrics(SM_CXSCREEN) / 2 - measure.Width("wrap "));
    EXPECT_GE(text.bottom - text.top, 2 * line);
}

TEST_F(MessageDialogTest, OtherWindowsTakeNoInputWhileItIsOpen) {
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 10, 10, 100, 50,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(other);
    bool otherEnabled = true;
    dialog_watch::WithDialog(
        [] { ShowMessageDialog("\nx", MessageKind::Error, MessageButtons::Ok); },
        [&](HWND dialog) {
            otherEnabled = IsWindowEnabled(other) != 0;
            bench::PressKey(dialog, VK_RETURN);
        });
    EXPECT_FALSE(otherEnabled);
    EXPECT_TRUE(IsWindowEnabled(other));
    EXPECT_TRUE(IsWindowEnabled(App().Handle()));
    DestroyWindow(other);
}

}  // namespace
