#include "core/error_texts.h"

#include <string>

namespace wendle {

std::string IoFailureText(std::uint32_t code) {
    switch (code) {
        case 2:
            return "ﾌｧｲﾙが見つかりません";
        case 3:
            return "不正なﾌｧｲﾙ名です";
        case 4:
            return "ｵｰﾌﾟﾝしたﾌｧｲﾙが多すぎます";
        case 5:
            return "ﾌｧｲﾙへのｱｸｾｽが拒否されました";
        case 100:
            return "ﾌｧｲﾙの末尾以降を読み込みました";
        case 101:
            return "ﾃﾞｨｽｸがいっぱいです";
        case 106:
            return "入力値が数値ではありません";
    }
    return "I/O ｴﾗｰ (" + std::to_string(static_cast<int>(code)) + ")";
}

std::string FallbackBoxText(const std::string& text, const PathRules& rules) {
    if (text.empty()) return text;
    std::size_t size = text.size();
    std::size_t start = size - 1;
    if (size >= 2 && rules.KindAt(text, size) == ByteKind::Trail) start = size - 2;
    // std::string compares bytes as unsigned, so half-width kana and every
    // double-byte character sort after ".".
    if (text.compare(start, std::string::npos, ".") > 0) return text + ".";
    return text;
}

}  // namespace wendle
