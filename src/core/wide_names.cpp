#include "core/wide_names.h"

namespace wendle {

const char kInputNameUnwritable[] =
    "入力ファイル名にShift-JISで書けない文字があり、ドライブに短い名前(8.3形式)もありません";
const char kFolderNameUnwritable[] =
    "フォルダ名にShift-JISで書けない文字があり、ドライブに短い名前(8.3形式)もありません";

namespace {

bool IsSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

bool NarrowPath(const std::u16string& path, ExactConversion convert, const ShortNames& shortNames,
                std::string* narrow, std::u16string* failedPart) {
    narrow->clear();
    // Nearly every path converts whole: no part needs the file system.
    if (convert(path, narrow)) return true;
    narrow->clear();
    for (std::size_t start = 0; start < path.size();) {
        if (IsSeparator(path[start])) {
            narrow->push_back(static_cast<char>(path[start++]));
            continue;
        }
        std::size_t end = start;
        while (end < path.size() && !IsSeparator(path[end])) ++end;
        const std::u16string part = path.substr(start, end - start);
        std::string bytes;
        if (!convert(part, &bytes)) {
            const std::u16string alias = shortNames.Of(path.substr(0, end));
            if (alias.empty() || !convert(alias, &bytes)) {
                if (failedPart) *failedPart = part;
                narrow->clear();
                return false;
            }
        }
        narrow->append(bytes);
        start = end;
    }
    return true;
}

std::string NarrowWithReplacement(const std::u16string& text, ExactConversion convert,
                                  char replacement) {
    const char bytes[] = {replacement, '\0'};
    return NarrowWithReplacement(text, convert, bytes);
}

std::string NarrowWithReplacement(const std::u16string& text, ExactConversion convert,
                                  const char* replacement) {
    std::string narrow;
    if (convert(text, &narrow)) return narrow;
    narrow.clear();
    for (std::size_t i = 0, next; i < text.size(); i = next) {
        next = i + 1;
        if (IsHighSurrogate(text[i]) && next < text.size() && IsLowSurrogate(text[next])) ++next;
        std::string bytes;
        if (convert(text.substr(i, next - i), &bytes)) {
            narrow.append(bytes);
        } else {
            narrow.append(replacement);
        }
    }
    return narrow;
}

std::u16string WideFileName(const std::u16string& path) {
    const std::size_t last = path.find_last_of(u"\\/:");
    return last == std::u16string::npos ? path : path.substr(last + 1);
}

std::string OutputNameOf(const std::u16string& inputPath, ExactConversion convert,
                         const PathRules& rules) {
    return rules.ChangeExtension(NarrowWithReplacement(WideFileName(inputPath), convert, '_'),
                                 ".ogg");
}

}  // namespace wendle
