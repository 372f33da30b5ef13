#include "dialogs/open_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "dialog_watch.h"
#include "support/texts.h"
#include "win/system_names.h"

namespace {

using namespace wendle;

constexpr int kNameBox = 0x47C;    // cmb13: the file name box
constexpr int kTypeBox = 0x470;    // cmb1: the file type box
constexpr int kFolderBox = 0x471;  // cmb2: the folder being looked in

struct Outcome {
    bool appeared = false;
    bool answer = false;
};

// Runs the dialog; `act` gets it once its name box exists and must close it.
Outcome Open(OpenDialog& dialog, const std::function<void(HWND)>& act) {
    Outcome outcome;
    outcome.appeared = dialog_watch::WithDialog(
        [&] {
            try {
                outcome.answer = dialog.Execute(App().Handle());
            } catch (...) {
                ADD_FAILURE() << "Execute threw";
            }
        },
        [&](HWND found) {
            // Shown before its name box exists? Wait for it, bounded.
            bench::WaitUntil([&] { return GetDlgItem(found, kNameBox) != nullptr; }, 5000);
            act(found);
        });
    EXPECT_TRUE(outcome.appeared);
    return outcome;
}

// The edit inside the name box, a ComboBoxEx under Wine.
HWND NameEdit(HWND dialog) {
    HWND box = GetDlgItem(dialog, kNameBox);
    if (bench::ClassName(box) == "ComboBoxEx32") {
        return reinterpret_cast<HWND>(SendMessageA(box, CBEM_GETEDITCONTROL, 0, 0));
    }
    HWND edit = FindWindowExA(box, nullptr, "Edit", nullptr);
    return edit ? edit : box;
}

void PressEnterInName(HWND dialog) {
    HWND edit = NameEdit(dialog);
    PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(edit, WM_KEYUP, VK_RETURN, 0xC0000001);
}

// Types a name into the name box and presses Enter there.
void TypeNameAndEnter(HWND dialog, const std::string& name) {
    SendMessageA(NameEdit(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PressEnterInName(dialog);
}

// The choice as the program's path.
std::string Chosen(const OpenDialog& open) {
    std::string path;
    EXPECT_TRUE(NarrowSystemPath(open.FileName(), &path));
    return path;
}

void Cancel(HWND dialog) {
    PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
}

class OpenDialogTest : public testing::Test {
  protected:
    static void SetUpTestSuite() { dialog_watch::SetUpApplication(); }
    void SetUp() override { start_ = bench::CurrentDirectory(); }
    void TearDown() override { SetCurrentDirectoryA(start_.c_str()); }

  private:
    std::string start_;
};

struct Seen {
    RECT outer{};
    std::string name;
    std::string type;
    std::string folder;  // the leaf name the folder box shows
    bool readOnlyShown = true;
};

Seen Read(HWND dialog) {
    Seen seen;
    // The placement is made once initialising ends; the dialog may show first.
    bench::WaitUntil(
        [&] {
            RECT r = bench::WindowRect(dialog);
            return r.left == (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2 &&
                   r.top == (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 3;
        },
        5000);
    seen.outer = bench::WindowRect(dialog);
    seen.name = bench::WindowText(NameEdit(dialog));
    HWND types = GetDlgItem(dialog, kTypeBox);
    const LRESULT selected = SendMessageA(types, CB_GETCURSEL, 0, 0);
    char text[256] = {};
    if (selected >= 0 && SendMessageA(types, CB_GETLBTEXTLEN, selected, 0) < LRESULT{sizeof text}) {
        SendMessageA(types, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text));
    }
    seen.type = text;
    seen.folder = bench::WindowText(GetDlgItem(dialog, kFolderBox));
    seen.readOnlyShown = IsWindowVisible(GetDlgItem(dialog, 0x410)) != 0;  // chx1
    return seen;
}

TEST_F(OpenDialogTest, OpensCentredAtAThirdWithTheWaveFilterAndAnEmptyName) {
    OpenDialog open;
    Seen seen;
    Outcome got = Open(open, [&](HWND dialog) {
        seen = Read(dialog);
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_FALSE(got.answer);
    EXPECT_BYTES("", Chosen(open));

    const int width = seen.outer.right - seen.outer.left;
    const int height = seen.outer.bottom - seen.outer.top;
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - width) / 2, seen.outer.left);
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - height) / 3, seen.outer.top);
    EXPECT_BYTES(bench::texts::kWaveFilter, seen.type);
    EXPECT_BYTES("", seen.name);
    EXPECT_FALSE(seen.readOnlyShown);
}

TEST_F(OpenDialogTest, TypedNameOfAMissingFileIsAccepted) {
    const std::string folder = bench::FreshFolder("chosen");
    const std::string missing = folder + "\\missing.wav";
    OpenDialog open;
    Outcome got = Open(open, [&](HWND dialog) { TypeNameAndEnter(dialog, missing); });
    EXPECT_TRUE(got.answer);
    EXPECT_BYTES(missing, Chosen(open));

    // A name the code page cannot write comes back as typed, not as Beyonce.wav.
    const std::wstring beyonce = bench::Wide(folder) + L"\\Beyonc\u00E9.wav";
    got = Open(open, [&](HWND dialog) {
        SendMessageW(NameEdit(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(beyonce.c_str()));
        PressEnterInName(dialog);
    });
    EXPECT_TRUE(got.answer);
    EXPECT_TRUE(FromWide(beyonce.c_str()) == open.FileName());
}

// The user opens the file's folder in the dialog, then picks the file: the
// answer is its full path and that folder stays the current directory.
TEST_F(OpenDialogTest, FileChosenInAFolderLeavesThatFolderCurrent) {
    const std::string elsewhere = bench::FreshFolder("elsewhere");
    const std::string folder = bench::FreshFolder("waves");
    const std::string take = folder + "\\take1.wav";
    ASSERT_TRUE(bench::WriteFileBytes(take, "RIFF"));
    ASSERT_TRUE(SetCurrentDirectoryA(elsewhere.c_str()));
    OpenDialog open;
    Outcome got = Open(open, [&](HWND dialog) {
        TypeNameAndEnter(dialog, folder);
        EXPECT_TRUE(bench::WaitUntil(
            [&] { return bench::WindowText(GetDlgItem(dialog, kFolderBox)) == "waves"; }, 5000));
        TypeNameAndEnter(dialog, "take1.wav");
    });
    EXPECT_TRUE(got.answer);
    EXPECT_BYTES(take, Chosen(open));
    EXPECT_BYTES(folder, bench::CurrentDirectory());
}

// The name box starts from the previous choice: Enter alone answers it again.
TEST_F(OpenDialogTest, PreviousChoiceIsOfferedAgainAndKeptOnCancel) {
    const std::string folder = bench::FreshFolder("waves");
    const std::string take = folder + "\\take1.wav";
    ASSERT_TRUE(bench::WriteFileBytes(take, "RIFF"));
    OpenDialog open;
    ASSERT_TRUE(Open(open, [&](HWND dialog) { TypeNameAndEnter(dialog, take); }).answer);
    ASSERT_EQ(take, Chosen(open));

    Seen seen;
    Outcome again = Open(open, [&](HWND dialog) {
        seen = Read(dialog);
        Cancel(dialog);
    });
    EXPECT_FALSE(again.answer);
    EXPECT_BYTES(take, Chosen(open));
    // Wine shows the name alone, the dialog standing in the path's folder.
    EXPECT_TRUE(seen.name == take || seen.name == "take1.wav") << seen.name;
    EXPECT_TRUE(seen.folder == "waves" || seen.name == take) << seen.folder;

    Outcome enter = Open(open, [](HWND dialog) { PressEnterInName(dialog); });
    EXPECT_TRUE(enter.answer);
    EXPECT_BYTES(take, Chosen(open));
}

// Several names typed in quotes, as a selection of several files gives them:
// each comes back as a full path, in the order given.
TEST_F(OpenDialogTest, SeveralChosenFilesComeBackAsFullPaths) {
    const std::string folder = bench::FreshFolder(std::string("waves ") + bench::texts::kSo);
    for (const char* name : {"b.wav", "a.wav"}) {
        ASSERT_TRUE(bench::WriteFileBytes(folder + "\\" + name, "RIFF"));
    }
    OpenDialog open;
    Outcome got = Open(open, [&](HWND dialog) {
        TypeNameAndEnter(dialog, folder);
        EXPECT_TRUE(bench::WaitUntil(
            [&] {
                return bench::WindowText(GetDlgItem(dialog, kFolderBox)) ==
                       std::string("waves ") + bench::texts::kSo;
            },
            5000));
        TypeNameAndEnter(dialog, "\"b.wav\" \"a.wav\"");
    });
    EXPECT_TRUE(got.answer);
    ASSERT_EQ(2u, open.FileNames().size());
    std::string paths[2];
    for (int i = 0; i < 2; ++i) EXPECT_TRUE(NarrowSystemPath(open.FileNames()[i], &paths[i]));
    EXPECT_BYTES(folder + "\\b.wav", paths[0]);
    EXPECT_BYTES(folder + "\\a.wav", paths[1]);
    EXPECT_BYTES(folder + "\\b.wav", Chosen(open));
}

}  // namespace
