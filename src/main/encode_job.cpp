// The encode job: check the fields, build the command line, run the encoder in
// the output folder with the main window hidden, and wait for it.
#include <vector>

#include "app/failure.h"
#include "app/program_strings.h"
#include "main/command_line.h"
#include "main/main_ids.h"
#include "main/main_window.h"
#include "paths/file_system.h"
#include "paths/system_rules.h"
#include "widgets/message_dialog.h"

namespace wendle {

namespace {

const char kJobFailed[] = "処理に失敗しました";
const char kEncoderMissing[] = "oggenc.exeが見つかりません";
const char kInputMissing[] = "指定の入力ファイルが存在しません";
const char kFolderMissing[] = "指定の出力先フォルダが存在しません";
const char kOverwriteQuestion[] = "指定の場所に同名のファイルがあります\n上書きしますか？";

}  // namespace

void TMainWindow::StartEncodeClick() {
    std::string failureMessage = kJobFailed;
    const POINT at = DialogPosition();
    try {
        const PathRules& rules = SystemPathRules();
        if (!FileExists(EncoderPath)) {
            failureMessage = kEncoderMissing;
            throw SilentAbort{};
        }
        EncodeFields fields;
        fields.bitrateIndex =
            static_cast<int>(SendMessageA(Control(IDC_BITRATE), CB_GETCURSEL, 0, 0));
        fields.title = Text(IDC_TITLE);
        fields.artist = Text(IDC_ARTIST);
        fields.album = Text(IDC_ALBUM);
        fields.comment = Text(IDC_COMMENT);
        fields.outputFileName = Text(IDC_OUTPUT_FILE_NAME);
        fields.inputFileName = Text(IDC_INPUT_FILE_NAME);
        CommandLine.clear();
        CommandLine = BuildCommandLine(EncoderPath, fields, rules);

        if (!FileExists(fields.inputFileName)) {
            failureMessage = kInputMissing;
            throw SilentAbort{};
        }
        const std::string outputFolder = rules.ExtractPath(Text(IDC_OUTPUT_FILE_PATH));
        if (!FolderExists(outputFolder)) {
            failureMessage = kFolderMissing;
            throw SilentAbort{};
        }
        if (FileExists(outputFolder + fields.outputFileName) &&
            ShowMessageDialog(kOverwriteQuestion, MessageKind::Confirmation,
                              MessageButtons::OkCancel, at.x, at.y) != kResultOk) {
            return;
        }
        ChangeCurrentDirectory(outputFolder);
        // A failed start or a failed encode must not look like a finished one.
        if (!RunEncoder()) throw SilentAbort{};
    } catch (...) {
        ShowMessageDialog("\n" + failureMessage, MessageKind::Error, MessageButtons::Ok, at.x,
                          at.y);
    }
}

bool TMainWindow::RunEncoder() {
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
