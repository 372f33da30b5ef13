#include "dialogs/prompt_dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialog_watch.h"
#include "support/texts.h"
#include "core/dialog_metrics.h"

namespace {

using namespace wendle;

// The controls in the order the checks list them.
const int kControlIds[] = {kPromptLabelId, kPromptEditId, kPromptOkId, kPromptCancelId};

struct Seen {
    std::string title;
    std::vector<std::string> texts;  // in the order of kControlIds
    std::vector<RECT> controls;      // client coordinates
    RECT outer{};
    RECT client{};
    LONG style = 0;
    HWND owner = nullptr;
    bool ownerEnabled = true;
    int focusId = 0;
    LRESULT defId = 0;
    DWORD selStart = 0;
    DWORD selEnd = 0;
};

Seen Read(HWND dialog) {
    Seen seen;
    seen.title = bench::WindowText(dialog);
    seen.outer = bench::WindowRect(dialog);
    GetClientRect(dialog, &seen.client);
    seen.style = GetWindowLongA(dialog, GWL_STYLE);
    seen.owner = GetWindow(dialog, GW_OWNER);
    seen.ownerEnabled = IsWindowEnabled(seen.owner) != 0;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    seen.focusId = GetDlgCtrlID(info.hwndFocus);
    seen.defId = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    HWND edit = GetDlgItem(dialog, kPromptEditId);
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&seen.selStart),
                 reinterpret_cast<LPARAM>(&seen.selEnd));
    for (int id : kControlIds) {
        HWND control = GetDlgItem(dialog, id);
        seen.texts.push_back(control ? bench::WindowText(control) : "<none>");
        RECT r = bench::WindowRect(control);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        seen.controls.push_back(r);
    }
    return seen;
}

struct Outcome {
    bool appeared = false;
    bool answer = false;
    std::string value;
};

// Shows the prompt with `value`; `act` gets the open dialog and must close it.
Outcome Prompt(const std::string& value, const std::function<void(HWND)>& act) {
    Outcome outcome;
    outcome.value = value;
    outcome.appeared = dialog_watch::WithDialog(
        [&] {
            try {
                outcome.answer = ShowPromptDialog(bench::texts::kNewFolder,
                                                  bench::texts::kNewFolderPrompt, outcome.value);
            } catch (...) {
                ADD_FAILURE() << "ShowPromptDialog threw";
            }
        },
        act);
    EXPECT_TRUE(outcome.appeared);
    return outcome;
}

// Types into the edit as the keyboard would, one character at a time.
void Type(HWND dialog, const std::string& text) {
    HWND edit = GetDlgItem(dialog, kPromptEditId);
    for (unsigned char c : text) SendMessageA(edit, WM_CHAR, c, 1);
}

// The application's default font on this Japanese bench, as the dialog must use.
PromptLayoutInput Measured(const std::string& prompt) {
    HDC dc = GetDC(nullptr);
    LOGFONTA font{};
    font.lfHeight = -MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72);
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpyA(font.lfFaceName, bench::texts::kUiFont);
    HFONT handle = CreateFontIndirectA(&font);
    HGDIOBJ previous = SelectObject(dc, handle);
    SIZE letters{};
    GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
    SIZE label{};
    GetTextExtentPoint32A(dc, prompt.c_str(), static_cast<int>(prompt.size()), &label);
    SelectObject(dc, previous);
    DeleteObject(handle);
    ReleaseDC(nullptr, dc);
    PromptLayoutInput in;
    in.charWidth = letters.cx / 52;
    in.lineHeight = letters.cy;
    in.prompt = {label.cx, label.cy};
    in.screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return in;
}

void ExpectRect(const PixelRect& expected, const RECT& got) {
    EXPECT_EQ(expected.left, got.left);
    EXPECT_EQ(expected.top, got.top);
    EXPECT_EQ(expected.width, got.right - got.left);
    EXPECT_EQ(expected.height, got.bottom - got.top);
}

class PromptDialogTest : public testing::Test {
  protected:
    static void SetUpTestSuite() { dialog_watch::SetUpApplication(); }
};

TEST_F(PromptDialogTest, ShowsItsTextsInTheDefaultFontLayoutWithTheValueSelected) {
    Seen seen;
    const std::string value = std::string("old ") + bench::texts::kHyou;
    Outcome got = Prompt(value, [&](HWND dialog) {
        seen = Read(dialog);
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_FALSE(got.answer);
    EXPECT_BYTES(value, got.value);

    EXPECT_BYTES(bench::texts::kNewFolder, seen.title);
    ASSERT_EQ(4u, seen.texts.size());
    EXPECT_BYTES(bench::texts::kNewFolderPrompt, seen.texts[0]);
    EXPECT_BYTES(value, seen.texts[1]);
    EXPECT_BYTES("OK", seen.texts[2]);
    EXPECT_BYTES(bench::texts::kCancel, seen.texts[3]);

    PromptLayoutInput in = Measured(bench::texts::kNewFolderPrompt);
    in.frame = {seen.outer.right - seen.outer.left - seen.client.right,
                seen.outer.bottom - seen.outer.top - seen.client.bottom};
    const PromptLayout expected = LayoutPromptDialog(in);
    EXPECT_EQ(expected.client.width, seen.client.right);
    EXPECT_EQ(expected.client.height, seen.client.bottom);
    EXPECT_EQ(expected.left, seen.outer.left);
    EXPECT_EQ(expected.top, seen.outer.top);
    const PixelRect rects[] = {expected.prompt, expected.edit, expected.ok, expected.cancel};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(testing::Message() << "control id " << kControlIds[i]);
        ExpectRect(rects[i], seen.controls[i]);
    }

    EXPECT_EQ(WS_CAPTION | WS_SYSMENU, seen.style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                                                     WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(kPromptEditId, seen.focusId);
    EXPECT_EQ(0u, seen.selStart);
    // The end counts bytes in Windows' ANSI edit and characters in Wine's.
    const DWORD characters = static_cast<DWORD>(
        MultiByteToWideChar(932, 0, value.c_str(), static_cast<int>(value.size()), nullptr, 0));
    EXPECT_TRUE(seen.selEnd == value.size() || seen.selEnd == characters) << seen.selEnd;
    EXPECT_EQ(MAKELRESULT(kPromptOkId, DC_HASDEFID), seen.defId);
    EXPECT_EQ(App().Handle(), seen.owner);
    EXPECT_FALSE(seen.ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(App().Handle()));
}

TEST_F(PromptDialogTest, OkAnswersTheTypedTextWhichReplacesTheSelectedValue) {
    const std::string typed = std::string("new") + bench::texts::kSo;
    Outcome got = Prompt("old", [&](HWND dialog) {
        Type(dialog, typed);
        bench::PressButton(dialog, "OK");
    });
    EXPECT_TRUE(got.answer);
    EXPECT_BYTES(typed, got.value);

    // Unicode text (a paste): never a look-alike, a backslash for U+00A5.
    got = Prompt("old", [&](HWND dialog) {
        SendMessageW(GetDlgItem(dialog, kPromptEditId), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(L"a\u00A5b\u00ADc"));
        bench::PressButton(dialog, "OK");
    });
    EXPECT_BYTES("a?b?c", got.value);
}

TEST_F(PromptDialogTest, EnterWithAnEmptyEditAnswersTrueAndEmpty) {
    Outcome got = Prompt("", [](HWND dialog) { bench::PressKey(dialog, VK_RETURN); });
    EXPECT_TRUE(got.answer);
    EXPECT_BYTES("", got.value);
}

TEST_F(PromptDialogTest, CancelEscapeAndTheCloseBoxKeepTheValue) {
    const std::function<void(HWND)> actions[] = {
        [](HWND dialog) { bench::PressButton(dialog, bench::texts::kCancel); },
        [](HWND dialog) { bench::PressKey(dialog, VK_ESCAPE); },
        [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
    };
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(testing::Message() << "action " << i);
        Outcome got = Prompt("keep", [&](HWND dialog) {
            Type(dialog, "typed");
            actions[i](dialog);
        });
        EXPECT_FALSE(got.answer);
        EXPECT_BYTES("keep", got.value);
    }
}

// 255 bytes, whether the edit itself counts bytes or characters.
TEST_F(PromptDialogTest, TypingStopsAtTheLimitInBytes) {
    const std::string a = bench::texts::kHyou;  // one double-byte character
    std::string wide;
    for (int i = 0; i < 200; ++i) wide += a;
    std::string wideKept;
    for (int i = 0; i < 127; ++i) wideKept += a;
    struct Row {
        std::string typed;
        std::string kept;
    };
    const Row rows[] = {
        {std::string(300, 'a'), std::string(255, 'a')},
        {wide, wideKept},              // 254 bytes: half a character is never kept
        {"a" + wide, "a" + wideKept},  // exactly 255
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "typed " << row.typed.size() << " bytes");
        LRESULT limit = 0;
        Outcome got = Prompt("", [&](HWND dialog) {
            limit = SendMessageA(GetDlgItem(dialog, kPromptEditId), EM_GETLIMITTEXT, 0, 0);
            Type(dialog, row.typed);
            bench::PressKey(dialog, VK_RETURN);
        });
        EXPECT_EQ(255, limit);
        EXPECT_TRUE(got.answer);
        EXPECT_BYTES(row.kept, got.value);
    }
}

// Text typed in the middle of a full edit is what gets dropped, not its tail.
TEST_F(PromptDialogTest, InsertingIntoAFullEditKeepsTheTail) {
    const std::string full = std::string(254, 'a') + "z";
    Outcome got = Prompt(full, [&](HWND dialog) {
        HWND edit = GetDlgItem(dialog, kPromptEditId);
        SendMessageA(edit, EM_SETSEL, 10, 10);
        Type(dialog, std::string("b") + bench::texts::kSo);
        bench::PressKey(dialog, VK_RETURN);
    });
    EXPECT_TRUE(got.answer);
    EXPECT_BYTES(full, got.value);
}

}  // namespace
