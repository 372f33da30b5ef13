#include "core/encode_plan.h"

#include "core/file_names.h"

namespace wendle {

const char kJobFailed[] = "処理に失敗しました";
const char kEncoderMissing[] = "oggenc.exeが見つかりません";
const char kInputMissing[] = "指定の入力ファイルが存在しません";
const char kFolderMissing[] = "指定の出力先フォルダが存在しません";
const char kCannotCheck[] = "次の場所があるかどうかを確かめられませんでした";
const char kBrokenCharacter[] = "入力欄の末尾に文字として読めないバイトがあります";
const char kFolderTooLong[] = "出力先フォルダのパスが長すぎます";
const char kNameHasDelimiter[] =
    "出力ファイル名に使えない文字 ( \\ / : * ? \" < > | ) が含まれています";
const char kNameIsDevice[] = "出力ファイル名にデバイス名 ( CON, NUL, COM1 など ) は使えません";
const char kNameEndsBadly[] = "出力ファイル名の末尾に空白やピリオドは使えません";
const char kOutputIsFolder[] = "同じ名前のフォルダがあります";
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

// Where the job can run: what can be the current directory. The folder list
// never shows a longer one; the name may make the output path longer.
const std::size_t kLongestFolder = 260;  // with its final backslash

// False, with the refusal set, unless the entry is known to be there.
bool There(Found found, const char* missing, const std::string& name, EncodePlan* plan) {
    if (found == Found::Yes) return true;
    plan->refusal = found == Found::No ? missing : kCannotCheck;
    if (found == Found::Unknown) plan->refused = name;
    return false;
}

}  // namespace

Found FoundAfterError(std::uint32_t systemError) {
    const std::uint32_t kFileNotFound = 2, kPathNotFound = 3;
    return systemError == kFileNotFound || systemError == kPathNotFound ? Found::No
                                                                        : Found::Unknown;
}

EncodePlan PlanEncode(const EncodeFields& fields, const std::string& encoderPath,
                      const std::string& outputPath, const FileQueries& files,
                      const PathRules& rules) {
    EncodePlan plan;
    if (!There(files.FindFile(encoderPath), kEncoderMissing, encoderPath, &plan)) return plan;
    // The encoder's runtime would take the byte after a lone lead byte with it,
    // a closing quote or the blank before the next option.
    for (const std::string* value : {&fields.title, &fields.artist, &fields.album, &fields.comment,
                                     &fields.outputFileName, &fields.inputFileName}) {
        if (rules.KindAt(*value, value->size()) == ByteKind::Lead) {
            plan.refusal = kBrokenCharacter;
            return plan;
        }
    }
    plan.commandLineBuilt = true;
    plan.commandLine = BuildCommandLine(encoderPath, fields, rules);
    if (!There(files.FindFile(fields.inputFileName), kInputMissing, fields.inputFileName, &plan)) {
        return plan;
    }
    plan.outputFolder = OutputFolderOf(outputPath, fields.outputFileName, rules);
    if (!There(files.FindFolder(plan.outputFolder), kFolderMissing, plan.outputFolder, &plan)) {
        return plan;
    }
    if (plan.outputFolder.size() > kLongestFolder) {
        plan.refusal = kFolderTooLong;
        return plan;
    }
    // The encoder would write another file than the one named, or a device.
    if ((plan.refusal = NameRefusal(CheckFileName(fields.outputFileName, rules)))) return plan;
    plan.output = plan.outputFolder + fields.outputFileName;
    const Found old = files.FindFile(plan.output);
    if (old == Found::Unknown) {
        There(old, nullptr, plan.output, &plan);
        return plan;
    }
    // The encoder would fail on a folder, and the put-back would take the
    // folder for what the encoder left.
    const Found folder = old == Found::No ? files.FindFolder(plan.output) : Found::No;
    if (folder != Found::No) {
        plan.refusal = folder == Found::Yes ? kOutputIsFolder : kCannotCheck;
        plan.refused = plan.output;
        return plan;
    }
    plan.askBeforeOverwriting = old == Found::Yes;
    return plan;
}

}  // namespace wendle
