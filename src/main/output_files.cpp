#include "main/output_files.h"

#include "win/file_system.h"

namespace wendle {

bool OutputFiles::Written() const {
    return HasContent(output_);
}

std::string OutputFiles::PutBack() {
    if (putBack_) return left_;
    putBack_ = true;
    const bool removed = RemoveFile(output_);
    if (setAside_.empty()) {
        if (!removed) left_ = "途中までのファイルを削除できませんでした\n" + output_;
    } else if (!removed || !RenameFile(setAside_, output_)) {
        left_ = "元のファイルを戻せませんでした\n";
        if (!removed) left_ += "途中までのファイル: " + output_ + "\n";
        left_ += "元の内容: " + setAside_;
    }
    return left_;
}

std::string OutputFiles::Finished() const {
    if (setAside_.empty() || RemoveFile(setAside_)) return std::string();
    return "新しいファイルは書けましたが、元の内容を削除できませんでした\n元の内容: " + setAside_;
}

}  // namespace wendle
