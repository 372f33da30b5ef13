// The rules that keep the input name, output name and output path together.
#include "main/main_ids.h"
#include "main/main_window.h"
#include "paths/system_rules.h"
#include "widgets/message_dialog.h"

namespace wendle {

void TMainWindow::InputFileNameChange() {
    const PathRules& rules = SystemPathRules();
    SetText(IDC_OUTPUT_FILE_NAME,
            rules.ExtractName(rules.ChangeExtension(Text(IDC_INPUT_FILE_NAME), ".ogg")));
}

void TMainWindow::OutputFileNameChange() {
    const PathRules& rules = SystemPathRules();
    if (Text(IDC_OUTPUT_FILE_NAME).empty()) SetText(IDC_OUTPUT_FILE_PATH, "");
    // An empty path is composed again from the folder list's folder.
    if (Text(IDC_OUTPUT_FILE_PATH).empty()) directoryListBox1_.Reload();
    // The folder part comes from the path field itself, not from the folder list.
    SetText(IDC_OUTPUT_FILE_PATH,
            rules.ExtractPath(Text(IDC_OUTPUT_FILE_PATH)) + Text(IDC_OUTPUT_FILE_NAME));
    if (Text(IDC_OUTPUT_FILE_NAME).empty()) {
        SetStartControlsEnabled(false);
    } else {
        SetStartControlsEnabled(!Text(IDC_INPUT_FILE_NAME).empty());
    }
}

void TMainWindow::DirectoryListBox1Change() {
    const std::string name = Text(IDC_OUTPUT_FILE_NAME);
    if (name.empty()) return;
    const std::string& folder = directoryListBox1_.Folder();
    if (SystemPathRules().LastDelimiter("\\", folder) == folder.size()) {
        SetText(IDC_OUTPUT_FILE_PATH, folder + name);
    } else {
        SetText(IDC_OUTPUT_FILE_PATH, folder + "\\" + name);
    }
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

}  // namespace wendle
