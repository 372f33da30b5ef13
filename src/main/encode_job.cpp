// The encode job: check the fields, build the command line, run the encoder in
// the output folder with the main window hidden, and wait for it.
#include <vector>

#include "core/failure.h"
#include "main/program_strings.h"
#include "core/encode_plan.h"
#include "main/main_ids.h"
#include "main/main_window.h"
#include "win/file_system.h"
#include "win/system_rules.h"
#include "dialogs/message_dialog.h"

namespace wendle {

namespace {

class SystemFiles : public FileQueries {
  public:
    bool FileExists(const std::string& name) const override { return wendle::FileExists(name); }
    bool FolderExists(const std::string& name) const override { return wendle::FolderExists(name); }
};

}  // namespace

EncodeFields MainWindow::Fields() const {
    EncodeFields fields;
    fields.bitrateIndex =
        static_cast<int>(SendMessageA(Control(kBitrateListId), CB_GETCURSEL, 0, 0));
    fields.title = Text(kTitleEditId);
    fields.artist = Text(kArtistEditId);
    fields.album = Text(kAlbumEditId);
    fields.comment = Text(kCommentEditId);
    fields.outputFileName = Text(kOutputFileNameId);
    fields.inputFileName = Text(kInputFileNameId);
    return fields;
}

void MainWindow::StartEncodeClick() {
    const char* failure = kJobFailed;
    const POINT at = DialogPosition();
    try {
        const EncodePlan plan = PlanEncode(Fields(), EncoderPath, Text(kOutputFilePathId),
                                           SystemFiles(), SystemPathRules());
        if (plan.commandLineBuilt) CommandLine = plan.commandLine;
        if (plan.refusal) {
            failure = plan.refusal;
            throw SilentAbort{};
        }
        if (plan.askBeforeOverwriting &&
            ShowMessageDialog(kOverwriteQuestion, MessageKind::Confirmation,
                              MessageButtons::OkCancel, at.x, at.y) != kResultOk) {
            return;
        }
        ChangeCurrentDirectory(plan.outputFolder);
        // The old file stays until the new one is written: the encoder opens
        // its output before it may reject the job.
        std::string setAside;
        if (plan.askBeforeOverwriting && (setAside = SetFileAside(plan.output)).empty()) {
            throw SilentAbort{};
        }
        if (RunEncoder()) {
            if (!setAside.empty()) RemoveFile(setAside);
            return;
        }
        // A failed start or a failed encode must not look like a finished one,
        // and leaves the folder as it was.
        RemoveFile(plan.output);
        if (!setAside.empty()) RenameFile(setAside, plan.output);
        throw SilentAbort{};
    } catch (...) {
        ShowMessageDialog(std::string("\n") + failure, MessageKind::Error, MessageButtons::Ok, at.x,
                          at.y);
    }
}

bool MainWindow::RunEncoder() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process{};
    std::vector<char> line(CommandLine.begin(), CommandLine.end());
    line.push_back('\0');

    ShowWindow(Handle(), SW_HIDE);
    const BOOL created = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW | NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                                        &startup, &process);
    DWORD exitCode = 1;
    if (created) {
        CloseHandle(process.hThread);
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hProcess);
    }
    ShowWindow(Handle(), SW_SHOW);
    return created && exitCode == 0;
}

}  // namespace wendle
