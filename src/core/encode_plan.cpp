#include "core/encode_plan.h"

#include "core/file_names.h"

namespace wendle {

const char kJobFailed[] = "処理に失敗しました";
const char kEncoderMissing[] = "oggenc.exeが見つかりません";
const char kInputMissing[] = "指定の入力ファイルが存在しません";
const char kFolderMissing[] = "指定の出力先フォルダが存在しません";
const char kNameHasDelimiter[] =
    "出力ファイル名に使えない文字 ( \\ / : * ? \" < > | ) が含まれています";
const char kNameIsDevice[] = "出力ファイル名にデバイス名 ( CON, NUL, COM1 など ) は使えません";
const char kNameEndsBadly[] = "出力ファイル名の末尾に空白やピリオドは使えません";
const char kOverwriteQuestion[] = "指定の場所に同名のファイルがあります\n上書きしますか？";

namespace {

const char* NameRefusal(NameFault fault) {
    switch (fault) {
        case NameFault::Character:
            return kNameHasDelimiter;
        case NameFault::Device:
            return kNameIsDevice;
        case NameFault::Ending:
            return kNameEndsBadly;
        case NameFault::None:
            break;
    }
    return nullptr;
}

}  // namespace

EncodePlan PlanEncode(const EncodeFields& fields, const std::string& encoderPath,
                      const std::string& outputPath, const FileQueries& files,
                      const PathRules& rules) {
    EncodePlan plan;
    if (!files.FileExists(encoderPath)) {
        plan.refusal = kEncoderMissing;
        return plan;
    }
    plan.commandLineBuilt = true;
    plan.commandLine = BuildCommandLine(encoderPath, fields, rules);
    if (!files.FileExists(fields.inputFileName)) {
        plan.refusal = kInputMissing;
        return plan;
    }
    plan.outputFolder = OutputFolderOf(outputPath, fields.outputFileName, rules);
    if (!files.FolderExists(plan.outputFolder)) {
        plan.refusal = kFolderMissing;
        return plan;
    }
    // The encoder would write another file than the one named, or a device.
    if ((plan.refusal = NameRefusal(CheckFileName(fields.outputFileName, rules)))) return plan;
    plan.output = plan.outputFolder + fields.outputFileName;
    plan.askBeforeOverwriting = files.FileExists(plan.output);
    return plan;
}

}  // namespace wendle
