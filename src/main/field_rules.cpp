// The rules that keep the input name, output name and output path together.
#include "main/main_ids.h"
#include "main/main_window.h"
#include "core/failure.h"
#include "core/file_names.h"
#include "win/file_system.h"
#include "win/system_rules.h"
#include "core/folder_items.h"
#include "dialogs/prompt_dialog.h"
#include "dialogs/message_dialog.h"

namespace wendle {

void TMainWindow::InputFileNameChange() {
    const PathRules& rules = SystemPathRules();
    SetText(IDC_OUTPUT_FILE_NAME,
            rules.ExtractName(rules.ChangeExtension(Text(IDC_INPUT_FILE_NAME), ".ogg")));
}

void TMainWindow::OutputFileNameChange() {
    const std::string name = Text(IDC_OUTPUT_FILE_NAME);
    if (name.empty()) SetText(IDC_OUTPUT_FILE_PATH, "");
    // An empty path is composed again from the folder list's folder.
    if (Text(IDC_OUTPUT_FILE_PATH).empty()) directoryListBox1_.Reload();
    // Always the folder list's folder: a name that holds a delimiter, set by
    // another program, must not move the path's folder.
    SetText(IDC_OUTPUT_FILE_PATH,
            name.empty() ? "" : JoinPath(directoryListBox1_.Folder(), name, SystemPathRules()));
    if (Text(IDC_OUTPUT_FILE_NAME).empty()) {
        SetStartControlsEnabled(false);
    } else {
        SetStartControlsEnabled(!Text(IDC_INPUT_FILE_NAME).empty());
    }
}

void TMainWindow::DirectoryListBox1Change() {
    const std::string name = Text(IDC_OUTPUT_FILE_NAME);
    if (name.empty()) return;
    SetText(IDC_OUTPUT_FILE_PATH, JoinPath(directoryListBox1_.Folder(), name, SystemPathRules()));
}

void TMainWindow::DriveComboBox1Change() {
    try {
        directoryListBox1_.SetDrive(driveComboBox1_.Drive());
    } catch (...) {
        const POINT at = DialogPosition();
        ShowMessageDialog("\nドライブの準備が出来ていません", MessageKind::Error,
                          MessageButtons::Ok, at.x, at.y);
        // Runs this handler once more, which finds the list on that drive.
        driveComboBox1_.SetDrive(directoryListBox1_.Drive());
    }
}

void TMainWindow::ProgramExitClick() {
    // Closing the main window ends the program; nothing is asked or saved.
    PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

void TMainWindow::InputFileOpenClick() {
    const PathRules& rules = SystemPathRules();
    const std::string shown = Text(IDC_INPUT_FILE_NAME);
    if (!shown.empty()) {
        try {
            ChangeCurrentDirectory(rules.ExtractPath(shown));
        } catch (const IoFailure&) {
            // The input's folder is gone or its medium was taken out: another
            // input can still be chosen.
        }
    }
    if (!openDialog1_.Execute(Handle())) return;
    SetText(IDC_INPUT_FILE_NAME, openDialog1_.FileName());
    if (Text(IDC_OUTPUT_FILE_PATH).empty()) {
        directoryListBox1_.AssignFolder(rules.ExtractDirectory(openDialog1_.FileName()));
    }
}

void TMainWindow::NewDirectoryClick() {
    std::string name;
    if (!ShowPromptDialog("フォルダ作成", "作成するフォルダ名を入力して下さい", name)) return;
    try {
        // Only inside the shown folder: a drive, a root or ".." would put it elsewhere.
        if (!IsNewFolderName(name, SystemPathRules())) throw SilentAbort{};
        ChangeCurrentDirectory(directoryListBox1_.Folder());
        if (!CreateFolder(name)) throw SilentAbort{};
    } catch (...) {
        ShowMessageDialog("\n作成できませんでした", MessageKind::Error, MessageButtons::Ok);
    }
    directoryListBox1_.Reload();
}

void TMainWindow::AboutMenuClick() {
    if (!aboutWindow_) return;
    RECT r;
    GetWindowRect(Handle(), &r);
    aboutWindow_->MoveTo(r.left + 130, r.top + 130);
    aboutWindow_->SetVersionName("Wendle v0.02");
    aboutWindow_->SetForVer("(For OggEnc v0.5)");
    aboutWindow_->ShowModal();
}

}  // namespace wendle
