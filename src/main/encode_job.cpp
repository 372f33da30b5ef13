// The encode job: check the fields, build the command line, run the encoder in
// the output folder with the main window hidden, and wait for it.
#include <vector>

#include "app/failure.h"
#include "app/program_strings.h"
#include "main/command_line.h"
#include "main/main_ids.h"
#include "main/main_window.h"
#include "paths/file_names.h"
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

const char* NameRefusal(NameFault fault) {
    switch (fault) {
        case NameFault::Character:
            return "出力ファイル名に使えない文字 ( \\ / : * ? \" < > | ) が含まれています";
        case NameFault::Device:
            return "出力ファイル名にデバイス名 ( CON, NUL, COM1 など ) は使えません";
        case NameFault::Ending:
            return "出力ファイル名の末尾に空白やピリオドは使えません";
        case NameFault::None:
            break;
    }
    return nullptr;
}

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
        const std::string outputFolder =
            OutputFolderOf(Text(IDC_OUTPUT_FILE_PATH), fields.outputFileName, rules);
        if (!FolderExists(outputFolder)) {
            failureMessage = kFolderMissing;
            throw SilentAbort{};
        }
        // The encoder would write another file than the one named, or a device.
        if (const char* refusal = NameRefusal(CheckFileName(fields.outputFileName, rules))) {
            failureMessage = refusal;
            throw SilentAbort{};
        }
        const std::string output = outputFolder + fields.outputFileName;
        const bool replacing = FileExists(output);
        if (replacing && ShowMessageDialog(kOverwriteQuestion, MessageKind::Confirmation,
                                           MessageButtons::OkCancel, at.x, at.y) != kResultOk) {
            return;
        }
        ChangeCurrentDirectory(outputFolder);
        // The old file stays until the new one is written: the encoder opens
        // its output before it may reject the job.
        std::string setAside;
        if (replacing && (setAside = SetFileAside(output)).empty()) throw SilentAbort{};
        if (RunEncoder()) {
            if (!setAside.empty()) RemoveFile(setAside);
            return;
        }
        // A failed start or a failed encode must not look like a finished one,
        // and leaves the folder as it was.
        RemoveFile(output);
        if (!setAside.empty()) RenameFile(setAside, output);
        throw SilentAbort{};
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
