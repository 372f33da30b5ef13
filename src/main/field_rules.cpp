// The rules that keep the input name, output name and output path together.
#include "main/main_ids.h"
#include "main/main_window.h"
#include "core/encode_plan.h"
#include "core/failure.h"
#include "core/file_names.h"
#include "core/version.h"
#include "win/file_system.h"
#include "win/system_names.h"
#include "win/system_rules.h"
#include "win/wave_file_reader.h"
#include "core/folder_items.h"
#include "dialogs/prompt_dialog.h"
#include "dialogs/message_dialog.h"

namespace wendle {

void MainWindow::InputFileNameChange() {
    const PathRules& rules = SystemPathRules();
    const std::string input = Text(kInputFileNameId);
    SetText(kOutputFileNameId, input == takenInput_
                                   ? takenOutputName_
                                   : rules.ExtractName(rules.ChangeExtension(input, ".ogg")));
}

void MainWindow::OutputFileNameChange() {
    const std::string name = Text(kOutputFileNameId);
    if (name.empty()) SetText(kOutputFilePathId, "");
    // An empty path is composed again from the folder list's folder.
    if (Text(kOutputFilePathId).empty()) folderList_.Reload();
    // Always the folder list's folder: a name that holds a delimiter, set by
    // another program, must not move the path's folder.
    SetText(kOutputFilePathId,
            name.empty() ? "" : JoinPath(folderList_.Folder(), name, SystemPathRules()));
    if (Text(kOutputFileNameId).empty()) {
        SetStartControlsEnabled(false);
    } else {
        SetStartControlsEnabled(!Text(kInputFileNameId).empty());
    }
}

void MainWindow::FolderListChange() {
    const std::string name = Text(kOutputFileNameId);
    if (name.empty()) return;
    SetText(kOutputFilePathId, JoinPath(folderList_.Folder(), name, SystemPathRules()));
}

void MainWindow::DriveChooserChange() {
    try {
        folderList_.SetDrive(driveChooser_.Drive());
    } catch (const IoFailure&) {
        ShowError(Handle(), "\nドライブの準備が出来ていません");
        // Runs this handler once more, which finds the list on that drive.
        driveChooser_.SetDrive(folderList_.Drive());
    }
}

void MainWindow::ProgramExitClick() {
    // Closing the main window ends the program; nothing is asked or saved.
    PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

void MainWindow::InputFileOpenClick() {
    const PathRules& rules = SystemPathRules();
    const std::string shown = Text(kInputFileNameId);
    if (!shown.empty()) {
        try {
            ChangeCurrentDirectory(rules.ExtractPath(shown));
        } catch (const IoFailure&) {
            // The input's folder is gone or its medium was taken out: another
            // input can still be chosen.
        }
    }
    if (!openDialog_.Execute(Handle())) return;
    if (openDialog_.FileNames().size() > 1) {
        StartBatch(openDialog_.FileNames());
    } else {
        TakeInputFile(openDialog_.FileName());
    }
}

void MainWindow::TakeInputFile(const std::u16string& longPath) {
    std::string path;
    if (!NarrowSystemPath(longPath, &path)) {
        ShowError(Handle(), std::string("\n") + kInputNameUnwritable);
        return;
    }
    openDialog_.SetFileName(longPath);
    takenInput_ = path;
    takenOutputName_ = OutputNameOf(longPath, &ExactAnsi, SystemPathRules());
    SetText(kInputFileNameId, path);
    if (Text(kOutputFilePathId).empty()) {
        folderList_.AssignFolder(SystemPathRules().ExtractDirectory(path));
    }
    FillTagFields(ReadWaveFile(path).tags);
}

void MainWindow::FillTagFields(const WaveTags& tags) {
    const std::pair<int, std::string WaveTags::*> fields[] = {{kTitleEditId, &WaveTags::title},
                                                              {kArtistEditId, &WaveTags::artist},
                                                              {kAlbumEditId, &WaveTags::album},
                                                              {kCommentEditId, &WaveTags::comment}};
    for (const auto& field : fields) {
        const std::string shown = Text(field.first);
        std::string& filled = filledTags_.*field.second;
        if (shown.empty() || shown == filled) {
            filled = tags.*field.second;
            SetText(field.first, filled);
        } else {
            filled.clear();
        }
    }
    inputTags_ = tags;
}

void MainWindow::StartWithInputFile(const std::u16string& path) {
    std::string narrow;
    // A path that has no usable name is told so; one past what the ANSI
    // functions reach is as missing as before.
    if (IsExistingFile(path) && (!NarrowSystemPath(path, &narrow) || IsExistingFile(narrow))) {
        TakeInputFile(path);
        return;
    }
    ShowError(Handle(), std::string("\n") + kInputMissing);
}

void MainWindow::NewDirectoryClick() {
    std::string name;
    if (!ShowPromptDialog("フォルダ作成", "作成するフォルダ名を入力して下さい", name)) return;
    // Only inside the shown folder: a drive, a root or ".." would put it elsewhere.
    bool made = IsNewFolderName(name, SystemPathRules());
    if (made) {
        try {
            ChangeCurrentDirectory(folderList_.Folder());
            made = CreateFolder(name);
        } catch (const IoFailure&) {
            made = false;
        }
    }
    if (!made) ShowMessageDialog("\n作成できませんでした", MessageKind::Error, MessageButtons::Ok);
    folderList_.Reload();
}

void MainWindow::AboutMenuClick() {
    if (!aboutWindow_) return;
    RECT r;
    GetWindowRect(Handle(), &r);
    aboutWindow_->MoveTo(r.left + Scaled(130), r.top + Scaled(130));
    aboutWindow_->SetVersionName(kVersionName);
    aboutWindow_->SetForVer("(For OggEnc v0.5)");
    aboutWindow_->ShowModal();
}

}  // namespace wendle
