// The real program driven from outside as a person uses it: the WAVE file
// chosen in the open dialog, folders opened by double-click and Enter, keys
// typed, list items picked, dialogs answered; then what the window shows.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "main/main_ids.h"
#include "support/bench.h"
#include "support/encode_fixture.h"
#include "support/texts.h"
#include "support/windows.h"

namespace {

using namespace wendle;
namespace texts = bench::texts;

const int kNameBox = 0x47C;  // the open dialog's file name box

// Each byte a keystroke of its own, as typing it gives.
void Type(HWND control, const std::string& keys) {
    for (char key : keys) SendMessageA(control, WM_CHAR, static_cast<unsigned char>(key), 1);
}

// Everything selected, then Backspace.
void Erase(HWND edit) {
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_CHAR, '\b', 1);
}

void PressKey(HWND control, WPARAM key) {
    SendMessageA(control, WM_KEYDOWN, key, 1);
    if (key == VK_RETURN) SendMessageA(control, WM_CHAR, '\r', 1);
    SendMessageA(control, WM_KEYUP, key, 0xC0000001);
}

class AsAUser : public bench::EncodeFixture {
  protected:
    // Presses "Wave選択" and answers the open dialog: the path typed into its
    // name box and opened, or the dialog cancelled when the path is empty.
    // False when no open dialog appeared.
    static bool ChooseFile(const bench::Wendle& wendle, const std::string& path) {
        wendle.Click(kInputFileOpenId);
        HWND dialog = wendle.WaitForDialog(texts::kOpenTitle);
        if (!dialog) return false;
        if (!path.empty()) {
            SendMessageA(GetDlgItem(dialog, kNameBox), WM_SETTEXT, 0,
                         reinterpret_cast<LPARAM>(path.c_str()));
        }
        PostMessageA(GetDlgItem(dialog, path.empty() ? IDCANCEL : IDOK), BM_CLICK, 0, 0);
        return bench::WaitUntil([&] { return !IsWindow(dialog); }) &&
               bench::Settled(wendle.MainWindow());
    }

    // Presses "フォルダ作成" and answers the prompt with the name typed and
    // OK, or with ｷｬﾝｾﾙ when `name` is null.
    static void NewFolder(const bench::Wendle& wendle, const char* name) {
        wendle.Click(kNewDirectoryId);
        HWND prompt = wendle.WaitForDialog(texts::kNewFolder);
        ASSERT_NE(nullptr, prompt);
        if (name) {
            std::vector<HWND> edits = bench::Children(prompt, "Edit");
            ASSERT_EQ(1u, edits.size());
            Type(edits[0], name);
        }
        EXPECT_TRUE(bench::PressButton(prompt, name ? "OK" : texts::kCancel));
        EXPECT_TRUE(bench::WaitUntil([&] { return !IsWindow(prompt); }));
    }

    static HWND List(const bench::Wendle& wendle) { return wendle.Control(kFolderListId); }

    static int ListCount(const bench::Wendle& wendle) {
        return static_cast<int>(SendMessageA(List(wendle), LB_GETCOUNT, 0, 0));
    }

    // A double-click on the list's item as the mouse makes it.
    static void DoubleClickFolder(const bench::Wendle& wendle, int index) {
        RECT r{};
        SendMessageA(List(wendle), LB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&r));
        LPARAM at = MAKELPARAM(r.left + 40, (r.top + r.bottom) / 2);
        SendMessageA(List(wendle), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(List(wendle), WM_LBUTTONUP, 0, at);
        SendMessageA(List(wendle), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageA(List(wendle), WM_LBUTTONUP, 0, at);
    }
};

// The folder list is on the start folder: its items are the drive root, the
// folders down to the start folder, then the start folder's subfolders.
TEST_F(AsAUser, OneEncodeFromChoosingTheFileToTheEncoder) {
    const std::string out = start_ + "\\out" + texts::kHyou;  // ends in trail byte 0x5C
    CreateDirectoryA(out.c_str(), nullptr);
    bench::Wendle wendle(start_);
    ASSERT_TRUE(wendle.Running());
    EXPECT_TRUE(bench::WaitForDriveTexts(wendle.Control(kDriveChooserId)));
    EXPECT_TRUE(bench::SavePicture(wendle.MainWindow(), "main_window_at_start"));

    ASSERT_TRUE(ChooseFile(wendle, input_));
    EXPECT_BYTES(input_, wendle.Text(kInputFileNameId));
    EXPECT_EQ("take1.ogg", wendle.Text(kOutputFileNameId));
    // The first choice takes the folder the list shows, not the WAVE file's.
    EXPECT_BYTES(start_ + "\\take1.ogg", wendle.Text(kOutputFilePathId));
    EXPECT_TRUE(IsWindowEnabled(wendle.Control(kStartEncodeId)));

    DoubleClickFolder(wendle, ListCount(wendle) - 1);
    EXPECT_BYTES(out + "\\take1.ogg", wendle.Text(kOutputFilePathId));

    Type(wendle.Control(kTitleEditId), "Morning \"Song\"");
    Type(wendle.Control(kArtistEditId), "Demo");
    wendle.SetText(kAlbumEditId, std::string("Live ") + texts::kHyou + texts::kSo);  // pasted
    Type(wendle.Control(kCommentEditId), "first take");
    PressKey(wendle.Control(kBitrateListId), VK_DOWN);
    EXPECT_EQ(" 192 kbps", wendle.Text(kBitrateListId));
    EXPECT_TRUE(bench::SavePicture(wendle.MainWindow(), "main_window_chosen"));

    wendle.Click(kStartEncodeId);
    ASSERT_TRUE(bench::WaitUntil([&] { return encoder_.Read(); })) << "the encoder never ran";
    EXPECT_TRUE(bench::WaitUntil([&] { return IsWindowVisible(wendle.MainWindow()) != FALSE; }));
    const std::vector<std::string> expected = {start_ + "\\oggenc.exe",
                                               "-b192",
                                               "-tMorning \"Song\"",
                                               "-aDemo",
                                               std::string("-lLive ") + texts::kHyou + texts::kSo,
                                               "-cCOMMENT=first take",
                                               "-ntake1.ogg",
                                               input_};
    ASSERT_EQ(expected.size(), encoder_.argv.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_BYTES(expected[i], encoder_.argv[i]);
    EXPECT_BYTES(out, encoder_.currentDirectory);
    EXPECT_TRUE(bench::Exists(out + "\\take1.ogg"));
    EXPECT_TRUE(bench::Settled(wendle.MainWindow()));
    EXPECT_EQ(nullptr, bench::FindTopLevel(wendle.ProcessId(), nullptr, texts::kErrorTitle));
}

TEST_F(AsAUser, TheSameFileAgainChangesNothingUnlessTheNameWasEmptied) {
    bench::Wendle wendle(start_);
    ASSERT_TRUE(ChooseFile(wendle, input_));
    ASSERT_TRUE(ChooseFile(wendle, input_));
    EXPECT_EQ("take1.ogg", wendle.Text(kOutputFileNameId));
    EXPECT_BYTES(start_ + "\\take1.ogg", wendle.Text(kOutputFilePathId));

    Erase(wendle.Control(kOutputFileNameId));
    EXPECT_EQ("", wendle.Text(kOutputFilePathId));
    EXPECT_FALSE(IsWindowEnabled(wendle.Control(kStartEncodeId)));
    // Chosen again with the name empty, the list moves to the file's folder.
    ASSERT_TRUE(ChooseFile(wendle, input_));
    EXPECT_EQ("", wendle.Text(kOutputFileNameId));
    EXPECT_EQ("", wendle.Text(kOutputFilePathId));
    EXPECT_FALSE(IsWindowEnabled(wendle.Control(kStartEncodeId)));
    Type(wendle.Control(kOutputFileNameId), "b");
    EXPECT_BYTES(wave_ + "\\b", wendle.Text(kOutputFilePathId));
    EXPECT_TRUE(IsWindowEnabled(wendle.Control(kStartEncodeId)));
    // Cancelling the dialog changes nothing.
    ASSERT_TRUE(ChooseFile(wendle, ""));
    EXPECT_BYTES(input_, wendle.Text(kInputFileNameId));
    EXPECT_BYTES(wave_ + "\\b", wendle.Text(kOutputFilePathId));
}

TEST_F(AsAUser, TypedNamesStayInTheListsFolderAndFollowIt) {
    const std::string music = start_ + "\\Music";
    CreateDirectoryA(music.c_str(), nullptr);
    bench::Wendle wendle(start_);
    HWND name = wendle.Control(kOutputFileNameId);
    PressKey(List(wendle), VK_END);
    PressKey(List(wendle), VK_RETURN);

    // Each keystroke recomposes the path in the list's folder; a backslash
    // is no part of a name and is not taken.
    const char* const paths[] = {"\\a", "\\a", "\\ab"};
    const char keys[] = "a\\b";
    for (int i = 0; i < 3; ++i) {
        Type(name, std::string(1, keys[i]));
        EXPECT_BYTES(music + paths[i], wendle.Text(kOutputFilePathId));
    }
    // No input chosen: a name alone does not enable the start.
    EXPECT_FALSE(IsWindowEnabled(wendle.Control(kStartEncodeId)));

    Erase(name);
    EXPECT_EQ("", wendle.Text(kOutputFilePathId));
    Type(name, "a.ogg");
    EXPECT_BYTES(music + "\\a.ogg", wendle.Text(kOutputFilePathId));
    // The drive root already ends in its delimiter.
    PressKey(List(wendle), VK_HOME);
    PressKey(List(wendle), VK_RETURN);
    EXPECT_BYTES("C:\\a.ogg", wendle.Text(kOutputFilePathId));
    // A name set with a backslash cannot move the folder, step by step or not.
    wendle.SetText(kOutputFileNameId, "a\\");
    wendle.SetText(kOutputFileNameId, "a\\b");
    EXPECT_BYTES("C:\\a\\b", wendle.Text(kOutputFilePathId));
    wendle.SetText(kOutputFileNameId, "..\\x");
    EXPECT_BYTES("C:\\..\\x", wendle.Text(kOutputFilePathId));
}

// Japanese typed into an ANSI window arrives as a lead-byte and a trail-byte
// WM_CHAR; the name takes no character that would make it a path.
TEST_F(AsAUser, JapaneseArrivesWholeAndTheNameTakesNoDelimiter) {
    bench::Wendle wendle(start_);
    const std::string japanese = std::string(texts::kHyou) + texts::kSo;
    for (int id : {kTitleEditId, kArtistEditId, kAlbumEditId, kCommentEditId, kOutputFileNameId}) {
        SCOPED_TRACE(id);
        for (char byte : japanese) {
            PostMessageA(wendle.Control(id), WM_CHAR, static_cast<unsigned char>(byte), 1);
        }
        EXPECT_TRUE(bench::WaitUntil([&] { return wendle.Text(id) == japanese; }))
            << bench::Hex(wendle.Text(id));
    }
    HWND name = wendle.Control(kOutputFileNameId);
    Erase(name);
    Type(name, "a\\/:*?\"<>|\tb");
    // Posted, as an input method does: sent, Wine would pass it on as UTF-16.
    PostMessageA(name, WM_IME_CHAR, 0x955C, 1);  // 表
    PostMessageA(name, WM_IME_CHAR, ':', 1);
    PostMessageA(name, WM_IME_CHAR, 'c', 1);
    EXPECT_TRUE(bench::WaitUntil([&] { return wendle.Text(kOutputFileNameId).size() >= 5; }));
    EXPECT_BYTES(std::string("ab") + texts::kHyou + "c", wendle.Text(kOutputFileNameId));

    const std::string pasted = std::string("..\\x") + texts::kSo + ":1.ogg";
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, pasted.size() + 1);
    std::memcpy(GlobalLock(data), pasted.c_str(), pasted.size() + 1);
    GlobalUnlock(data);
    SetClipboardData(CF_TEXT, data);
    CloseClipboard();
    Erase(name);
    SendMessageA(name, WM_PASTE, 0, 0);
    const std::string kept = std::string("..x") + texts::kSo + "1.ogg";
    EXPECT_BYTES(kept, wendle.Text(kOutputFileNameId));
    EXPECT_BYTES(start_ + "\\" + kept, wendle.Text(kOutputFilePathId));

    // Unicode text: what Shift-JIS cannot write is "_", never a look-alike
    // (a backslash for U+00A5, a dash for the soft hyphen).
    const std::wstring unicode = L"a\u00A5b\u00ADc.ogg";
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    data = GlobalAlloc(GMEM_MOVEABLE, (unicode.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(data), unicode.c_str(), (unicode.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(data);
    SetClipboardData(CF_UNICODETEXT, data);
    CloseClipboard();
    Erase(name);
    SendMessageA(name, WM_PASTE, 0, 0);
    EXPECT_BYTES("a_b_c.ogg", wendle.Text(kOutputFileNameId));
}

TEST_F(AsAUser, ADriveThatIsNotReadyIsReportedOnceAndTheChooserGoesBack) {
    bench::Wendle wendle(start_);
    Type(wendle.Control(kOutputFileNameId), "a.ogg");
    HWND chooser = wendle.Control(kDriveChooserId);
    ASSERT_TRUE(bench::WaitForDriveTexts(chooser));
    // Down the list to the labelled CD-ROM, each drive opened on the way.
    for (int i = 0; i < 6 && wendle.Text(kDriveChooserId).compare(0, 2, "Q:") != 0; ++i) {
        PostMessageA(chooser, WM_KEYDOWN, VK_DOWN, 1);
        ASSERT_TRUE(bench::Settled(wendle.MainWindow()));
        ASSERT_EQ(nullptr, bench::FindTopLevel(wendle.ProcessId(), nullptr, texts::kErrorTitle));
    }
    const std::string onCd = wendle.Text(kDriveChooserId);
    ASSERT_EQ("Q: [WENDLE CD]", onCd);
    EXPECT_EQ("Q:\\a.ogg", wendle.Text(kOutputFilePathId));
    const int items = ListCount(wendle);
    const std::string standing = wendle.CurrentDirectory();
    ASSERT_EQ("Q:\\", standing);

    // Next comes the CD-ROM drive with no medium.
    PostMessageA(chooser, WM_KEYDOWN, VK_DOWN, 1);
    HWND dialog = wendle.WaitForDialog(texts::kErrorTitle);
    ASSERT_NE(nullptr, dialog);
    bench::DialogView view = bench::ReadDialog(dialog);
    EXPECT_BYTES(std::string("\n") + texts::kNotReady, view.message);
    RECT main = bench::WindowRect(wendle.MainWindow());
    EXPECT_EQ(main.left + 150, view.outer.left);
    EXPECT_EQ(main.top + 150, view.outer.top);
    EXPECT_TRUE(bench::PressButton(dialog, "OK"));
    ASSERT_TRUE(bench::WaitUntil([&] { return !IsWindow(dialog); }));
    ASSERT_TRUE(bench::Settled(wendle.MainWindow()));
    EXPECT_EQ(nullptr, bench::FindTopLevel(wendle.ProcessId(), nullptr, texts::kErrorTitle))
        << "reported twice";
    EXPECT_EQ(onCd, wendle.Text(kDriveChooserId));
    EXPECT_EQ("Q:\\a.ogg", wendle.Text(kOutputFilePathId));
    EXPECT_EQ(items, ListCount(wendle));
    EXPECT_EQ(standing, wendle.CurrentDirectory());
}

TEST_F(AsAUser, NewFolderIsListedAndAFailedOneStillReloadsTheList) {
    bench::Wendle wendle(start_);
    Type(wendle.Control(kOutputFileNameId), "a.ogg");
    const int items = ListCount(wendle);
    wendle.SetText(kOutputFilePathId, "elsewhere");  // a reload composes it again
    NewFolder(wendle, "New");
    ASSERT_TRUE(bench::Settled(wendle.MainWindow()));
    EXPECT_EQ(nullptr, bench::FindTopLevel(wendle.ProcessId(), nullptr, texts::kErrorTitle));
    EXPECT_TRUE(bench::Exists(start_ + "\\New"));
    EXPECT_EQ(items + 1, ListCount(wendle));
    EXPECT_BYTES(start_ + "\\a.ogg", wendle.Text(kOutputFilePathId));

    // Cancelled: no reload, so a folder made meanwhile stays unlisted.
    CreateDirectoryA((start_ + "\\Behind").c_str(), nullptr);
    wendle.SetText(kOutputFilePathId, "elsewhere");
    NewFolder(wendle, nullptr);
    ASSERT_TRUE(bench::Settled(wendle.MainWindow()));
    EXPECT_EQ(items + 1, ListCount(wendle));
    EXPECT_EQ("elsewhere", wendle.Text(kOutputFilePathId));

    // Only inside the shown folder: no other drive, no root, no parent.
    for (const char* name : {"", "New", "a:b", "\\x", "..\\x", "New\\..\\..\\y"}) {
        SCOPED_TRACE(name);
        wendle.SetText(kOutputFilePathId, "elsewhere");
        NewFolder(wendle, name);
        HWND dialog = wendle.WaitForDialog(texts::kErrorTitle);
        ASSERT_NE(nullptr, dialog);
        bench::DialogView view = bench::ReadDialog(dialog);
        EXPECT_BYTES(std::string("\n") + texts::kCreationFailed, view.message);
        // The one error dialog that stands centred on the screen.
        EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) / 2 - (view.outer.right - view.outer.left) / 2,
                  view.outer.left);
        EXPECT_TRUE(bench::PressButton(dialog, "OK"));
        ASSERT_TRUE(bench::WaitUntil([&] { return !IsWindow(dialog); }));
        ASSERT_TRUE(bench::Settled(wendle.MainWindow()));
        EXPECT_EQ(items + 2, ListCount(wendle));
        EXPECT_BYTES(start_ + "\\a.ogg", wendle.Text(kOutputFilePathId));
    }
    EXPECT_FALSE(bench::Exists("A:\\b"));
    EXPECT_FALSE(bench::Exists("C:\\x"));
    EXPECT_FALSE(bench::Exists(root_ + "\\x"));
    EXPECT_FALSE(bench::Exists(root_ + "\\y"));
    NewFolder(wendle, "New\\Inner");
    ASSERT_TRUE(bench::Settled(wendle.MainWindow()));
    EXPECT_TRUE(bench::Exists(start_ + "\\New\\Inner"));
}

// What a screen reader or another program reads of the lists: every folder
// item's text as drawn, in order, and the drive chooser's items.
TEST_F(AsAUser, AnotherProgramReadsTheListsItemsAsDrawn) {
    for (const std::string& name :
         {std::string("b"), std::string("A") + texts::kHyou, std::string("c d")}) {
        CreateDirectoryA((start_ + "\\" + name).c_str(), nullptr);
    }
    bench::Wendle wendle(start_);
    std::vector<std::string> items;
    const LRESULT count = SendMessageA(List(wendle), LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        items.push_back(bench::ItemText(List(wendle), LB_GETTEXTLEN, LB_GETTEXT, i));
    }
    // The root, the folders down to the start folder, then its sub-folders in
    // the locale's order.
    const std::string suite = root_.substr(root_.rfind('\\') + 1);
    EXPECT_EQ((std::vector<std::string>{"C:\\", "wendle-tests", suite, "start",
                                        std::string("A") + texts::kHyou, "b", "c d"}),
              items);
    EXPECT_EQ(3, SendMessageA(List(wendle), LB_GETCURSEL, 0, 0));
    HWND chooser = wendle.Control(kDriveChooserId);
    ASSERT_TRUE(bench::WaitForDriveTexts(chooser));
    EXPECT_EQ(wendle.Text(kDriveChooserId),
              bench::ItemText(chooser, CB_GETLBTEXTLEN, CB_GETLBTEXT,
                              SendMessageA(chooser, CB_GETCURSEL, 0, 0)));
}

// Its folder gone, the present input must not stop another from being chosen.
TEST_F(AsAUser, TheOpenDialogStillOpensWhenTheInputsFolderIsGone) {
    bench::Wendle wendle(start_);
    ASSERT_TRUE(ChooseFile(wendle, input_));
    ASSERT_TRUE(DeleteFileA(input_.c_str()));
    ASSERT_TRUE(RemoveDirectoryA(wave_.c_str()));
    ASSERT_TRUE(bench::WriteFileBytes(start_ + "\\other.wav", "RIFF"));
    ASSERT_TRUE(ChooseFile(wendle, start_ + "\\other.wav"));
    EXPECT_EQ(nullptr, bench::FindTopLevel(wendle.ProcessId(), nullptr, texts::kErrorTitle));
    EXPECT_BYTES(start_ + "\\other.wav", wendle.Text(kInputFileNameId));
    EXPECT_EQ("other.ogg", wendle.Text(kOutputFileNameId));
    EXPECT_BYTES(start_ + "\\other.ogg", wendle.Text(kOutputFilePathId));
}

}  // namespace
