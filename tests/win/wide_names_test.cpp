// Names that code page 932 cannot write, each beside the look-alike that the
// ANSI functions would reach instead (Beyonce.wav for Beyoncé.wav, a\b.wav for
// a¥b.wav): the program takes the file and the folder the user named.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/wide_names.h"
#include "dialog_watch.h"
#include "main/main_ids.h"
#include "support/bench.h"
#include "support/encode_fixture.h"
#include "support/made_main_window.h"
#include "support/texts.h"
#include "support/windows.h"
#include "win/file_system.h"
#include "win/system_names.h"

namespace {

using namespace wendle;

const char kNamed[] = "RIFF named";

struct Case {
    const wchar_t* name;
    std::string output;
    std::vector<const wchar_t*> decoys;
};

const Case kCases[] = {
    {L"Beyoncé.wav", "Beyonc_.ogg", {L"Beyonce.wav"}},
    {L"a¥b.wav", "a_b.ogg", {L"a\\b.wav"}},
    {L"x\u00ADy.wav", "x_y.ogg", {L"x-y.wav", L"xy.wav"}},
    // ??.wav would be a pattern that finds any two-letter name.
    {L"안녕.wav", "__.ogg", {L"ab.wav"}},
};

// The named file and its decoys in the folder; the full wide name of the named one.
std::wstring MakeCase(const std::wstring& folder, const Case& c) {
    CreateDirectoryW((folder + L"\\a").c_str(), nullptr);
    for (const wchar_t* decoy : c.decoys) {
        EXPECT_TRUE(bench::WriteFileBytes(folder + L"\\" + decoy, "RIFF decoy"));
    }
    const std::wstring named = folder + L"\\" + c.name;
    EXPECT_TRUE(bench::WriteFileBytes(named, kNamed));
    return named;
}

std::string Contents(const std::string& path) {
    std::string bytes;
    bench::ReadFileBytes(path, &bytes);
    return bytes;
}

// The short name Wine gave the entry, as the code page writes it.
std::string ShortNameOf(const std::wstring& path) {
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(path.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return "";
    FindClose(search);
    std::string narrow;
    ExactAnsi(FromWide(entry.cAlternateFileName), &narrow);
    return narrow;
}

class WideNameEncode : public bench::EncodeFixture {};

TEST_F(WideNameEncode, TheFileNamedOnTheCommandLineIsTheOneTheEncoderReads) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.output);
        const std::wstring named = MakeCase(bench::Wide(wave_), c);
        DeleteFileA(encoder_.reportPath.c_str());
        bench::Wendle wendle(bench::Wide(start_), L"", L"\"" + named + L"\"");
        ASSERT_TRUE(wendle.Running());
        EXPECT_EQ(kNamed, Contents(wendle.Text(kInputFileNameId)));
        EXPECT_BYTES(c.output, wendle.Text(kOutputFileNameId));
        Start(wendle);
        ASSERT_TRUE(bench::WaitUntil([&] { return encoder_.Read(); })) << "the encoder never ran";
        EXPECT_EQ(kNamed, Contents(encoder_.argv.back()));
        EXPECT_TRUE(
            bench::WaitUntil([&] { return IsWindowVisible(wendle.MainWindow()) != FALSE; }));
    }
}

TEST_F(WideNameEncode, FromTheStartFolderZoeIntoTheFolderMotleyNotMotley) {
    const std::wstring zoe = bench::Wide(root_) + L"\\Zoë";
    const std::wstring motley = zoe + L"\\Mötley";
    for (const std::wstring& folder : {zoe, motley, zoe + L"\\Motley"}) {
        CreateDirectoryW(folder.c_str(), nullptr);
    }
    ASSERT_TRUE(CopyFileW(bench::Wide(start_ + "\\oggenc.exe").c_str(),
                          (zoe + L"\\oggenc.exe").c_str(), FALSE));
    bench::Wendle wendle(zoe, L"", L"");
    ASSERT_TRUE(wendle.Running());
    wendle.SetText(kInputFileNameId, input_);
    HWND list = wendle.Control(kFolderListId);
    const std::string shortName = ShortNameOf(motley);
    ASSERT_NE("", shortName);
    const LRESULT index =
        SendMessageA(list, LB_FINDSTRINGEXACT, 0, reinterpret_cast<LPARAM>(shortName.c_str()));
    ASSERT_NE(LB_ERR, index);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(list, WM_CHAR, '\r', 0);
    Start(wendle);
    ASSERT_TRUE(bench::WaitUntil([&] { return encoder_.Read(); })) << "the encoder never ran";
    EXPECT_TRUE(bench::WaitUntil([&] { return IsWindowVisible(wendle.MainWindow()) != FALSE; }));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((motley + L"\\take1.ogg").c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((zoe + L"\\Motley\\take1.ogg").c_str()));
}

class WideNames : public bench::MadeMainWindow {
  protected:
    void TearDown() override { ReplaceShortNames(nullptr); }

    // A volume without short names.
    class None : public ShortNames {
      public:
        std::u16string Of(const std::u16string&) const override { return {}; }
    } none_;

    void Drop(const std::wstring& name) {
        SendMessageA(made_->Handle(), WM_DROPFILES,
                     reinterpret_cast<WPARAM>(bench::MakeDrop({name})), 0);
    }

    // The action shows the error dialog with that text at the main window +
    // 150, which OK closes.
    void ExpectError(const std::function<void()>& action, const char* text) {
        const RECT main = bench::WindowRect(made_->Handle());
        bench::DialogView view;
        EXPECT_TRUE(dialog_watch::WithDialog(action, [&](HWND dialog) {
            view = bench::ReadDialog(dialog);
            bench::PressButton(dialog, "OK");
        }));
        EXPECT_BYTES(std::string("\n") + text, view.message);
        EXPECT_EQ(std::vector<std::string>{"OK"}, view.buttons);
        EXPECT_EQ(main.left + 150, view.outer.left);
        EXPECT_EQ(main.top + 150, view.outer.top);
    }

    void OpenItem(const std::string& text) {
        HWND list = made_->Control(kFolderListId);
        const LRESULT index =
            SendMessageA(list, LB_FINDSTRINGEXACT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        ASSERT_NE(LB_ERR, index) << text;
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(list, WM_CHAR, '\r', 0);
    }
};

TEST_F(WideNames, ADropTakesTheNamedFileAndItsLongNameForTheOutput) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.output);
        made_->SetText(kOutputFileNameId, "");
        Drop(MakeCase(bench::Wide(root_), c));
        EXPECT_EQ(kNamed, Contents(made_->Text(kInputFileNameId)));
        EXPECT_BYTES(c.output, made_->Text(kOutputFileNameId));
    }
}

TEST_F(WideNames, WithoutShortNamesSuchAnInputIsRefusedAndTheFieldsStay) {
    const std::wstring named = MakeCase(bench::Wide(root_), kCases[0]);
    const std::wstring zoe = bench::Wide(root_) + L"\\Zoë";
    CreateDirectoryW(zoe.c_str(), nullptr);
    made_->SetText(kInputFileNameId, root_ + "\\kept.wav");
    ReplaceShortNames(&none_);
    ExpectError([&] { Drop(named); }, kInputNameUnwritable);
    EXPECT_BYTES(root_ + "\\kept.wav", made_->Text(kInputFileNameId));
    EXPECT_BYTES("kept.ogg", made_->Text(kOutputFileNameId));
    // A start folder without a path has no encoder to look for.
    ASSERT_TRUE(SetCurrentDirectoryW(zoe.c_str()));
    EXPECT_EQ("", ReadCurrentDirectory());
}

// Every item opens its own folder: a¥b is not the folder b in a, Mötley is
// not Motley. Each folder holds a mark that only it has.
TEST_F(WideNames, EveryFolderItemOpensItsOwnFolderOrNone) {
    struct Folder {
        const wchar_t* name;
        std::string withoutShortNames;
    } folders[] = {{L"Motley", "Motley"}, {L"Mötley", "M?tley"}, {L"a¥b", "a?b"}, {L"안녕", "??"}};
    const std::wstring root = bench::Wide(root_);
    CreateDirectoryW((root + L"\\a").c_str(), nullptr);
    CreateDirectoryW((root + L"\\a\\b").c_str(), nullptr);
    for (std::size_t i = 0; i < std::size(folders); ++i) {
        const std::wstring path = root + L"\\" + folders[i].name;
        CreateDirectoryW(path.c_str(), nullptr);
        ASSERT_TRUE(bench::WriteFileBytes(path + L"\\mark", std::to_string(i)));
    }
    Folders().Reload();
    for (std::size_t i = 0; i < std::size(folders); ++i) {
        SCOPED_TRACE(i);
        std::string item;  // the name, or the short name Wine made for it
        if (!ExactAnsi(FromWide(folders[i].name), &item)) {
            item = ShortNameOf(root + L"\\" + folders[i].name);
        }
        OpenItem(item);
        EXPECT_EQ(std::to_string(i), Contents("mark"));
        EXPECT_BYTES(root_ + "\\" + item, Folders().Folder());
        Folders().AssignFolder(root_);
    }

    ReplaceShortNames(&none_);
    Folders().Reload();
    for (const Folder& folder : folders) {
        if (folder.withoutShortNames == "Motley") continue;
        SCOPED_TRACE(folder.withoutShortNames);
        ExpectError([&] { OpenItem(folder.withoutShortNames); }, kFolderNameUnwritable);
        EXPECT_BYTES(root_, Folders().Folder());
        EXPECT_BYTES(root_, bench::CurrentDirectory());
    }
}

}  // namespace
