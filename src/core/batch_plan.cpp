#include "core/batch_plan.h"

#include <algorithm>

namespace wendle {

namespace {

const std::string& TypedOr(const std::string& typed, const std::string& own) {
    return typed.empty() ? own : typed;
}

// Indices in the order of their keys, equal keys in index order. Each key
// is sorted with its index after it, behind a zero byte that sorts before
// any byte of a key: one plain sort of strings for every order here.
std::vector<std::size_t> OrderOf(std::vector<std::string> keys) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        keys[i] += '\0';
        for (int shift = 24; shift >= 0; shift -= 8) keys[i] += static_cast<char>(i >> shift);
    }
    std::sort(keys.begin(), keys.end());
    std::vector<std::size_t> order;
    order.reserve(keys.size());
    for (const std::string& key : keys) {
        std::size_t i = 0;
        for (std::size_t at = key.size() - 4; at < key.size(); ++at) {
            i = i << 8 | static_cast<unsigned char>(key[at]);
        }
        order.push_back(i);
    }
    return order;
}

bool Holds(const std::vector<std::string>& sorted, const std::string& key) {
    return std::binary_search(sorted.begin(), sorted.end(), key);
}

void Insert(std::vector<std::string>& sorted, std::string key) {
    sorted.insert(std::lower_bound(sorted.begin(), sorted.end(), key), std::move(key));
}

// Each later output of a name already given out gets the first number whose
// name is neither given out nor another input's own: "a (2).wav" keeps its
// "a (2).ogg".
void NumberAlikeNames(std::vector<BatchFile>& files, SortKey sameName, const PathRules& rules) {
    std::vector<std::string> own;
    own.reserve(files.size());
    for (const BatchFile& file : files) own.push_back(sameName(file.fields.outputFileName));
    std::sort(own.begin(), own.end());
    std::vector<std::string> given;
    for (BatchFile& file : files) {
        std::string& name = file.fields.outputFileName;
        std::string key = sameName(name);
        if (Holds(given, key)) {
            const std::string stem = rules.ChangeExtension(name, "");
            for (int n = 2;; ++n) {
                name = stem + " (" + std::to_string(n) + ").ogg";
                key = sameName(name);
                if (!Holds(given, key) && !Holds(own, key)) break;
            }
        }
        Insert(given, std::move(key));
    }
}

// Refusals that do not depend on the file: the first file that gets as far
// as them stands for all.
// The planner's refusals are its own texts: the same addresses.
bool HoldsForEvery(const EncodePlan& plan, const std::string& encoderPath) {
    const char* refusal = plan.refusal;
    return refusal == kEncoderMissing || refusal == kFolderMissing || refusal == kFolderTooLong ||
           (refusal == kCannotCheck &&
            (plan.refused == encoderPath || plan.refused == plan.outputFolder));
}

}  // namespace

std::string LeftOutText(const LeftOut& leftOut) {
    const std::size_t all = leftOut.notWave + leftOut.unnamed + leftOut.missing;
    if (all == 0) return "除外したファイルはありません";
    std::string text = "除外したファイル: " + std::to_string(all) + " 個 (";
    const struct {
        std::size_t count;
        const char* why;
    } reasons[] = {{leftOut.notWave, "WAVEファイルでないもの"},
                   {leftOut.unnamed, "名前を扱えないもの"},
                   {leftOut.missing, "見つからないもの"}};
    const char* separator = "";
    for (const auto& reason : reasons) {
        if (reason.count == 0) continue;
        text += separator + std::string(reason.why) + " " + std::to_string(reason.count) + " 個";
        separator = "、";
    }
    return text + ")";
}

std::vector<BatchFile> PlanBatch(std::vector<BatchSource> sources, const EncodeFields& typed,
                                 SortKey order, SortKey sameName, const PathRules& rules) {
    std::vector<std::string> keys;
    keys.reserve(sources.size());
    for (const BatchSource& source : sources) keys.push_back(order(source.name));
    std::vector<BatchFile> files;
    files.reserve(sources.size());
    for (std::size_t i : OrderOf(std::move(keys))) {
        BatchSource& source = sources[i];
        const WaveTags& own = source.wave.tags;
        BatchFile file;
        file.audioSize = source.wave.audioSize;
        EncodeFields& fields = file.fields;
        fields.bitrateIndex = typed.bitrateIndex;
        fields.title = own.title;
        // A name that is all extension keeps it: no title would be less.
        if (fields.title.empty()) fields.title = rules.ChangeExtension(source.name, "");
        if (fields.title.empty()) fields.title = source.name;
        fields.artist = TypedOr(typed.artist, own.artist);
        fields.album = TypedOr(typed.album, own.album);
        fields.comment = TypedOr(typed.comment, own.comment);
        fields.date = own.date;
        fields.genre = own.genre;
        fields.track = own.track;
        fields.outputFileName = rules.ChangeExtension(source.name, ".ogg");
        fields.inputFileName = std::move(source.path);
        file.name = std::move(source.name);
        files.push_back(std::move(file));
    }
    NumberAlikeNames(files, sameName, rules);
    return files;
}

BatchChecks CheckBatch(const std::vector<BatchFile>& files, const EncodeFields& typed,
                       const std::string& encoderPath, const std::string& outputFolder,
                       const FileQueries& queries, const PathRules& rules) {
    bool typedBroken = false;
    for (const std::string* value : {&typed.artist, &typed.album, &typed.comment}) {
        typedBroken = typedBroken || rules.KindAt(*value, value->size()) == ByteKind::Lead;
    }
    BatchChecks checks;
    checks.plans.reserve(files.size());
    for (const BatchFile& file : files) {
        EncodePlan plan =
            PlanEncode(file.fields, encoderPath,
                       JoinPath(outputFolder, file.fields.outputFileName, rules), queries, rules);
        if (HoldsForEvery(plan, encoderPath) || (typedBroken && plan.refusal == kBrokenCharacter)) {
            checks.refusal = plan.refusal;
            checks.refused = plan.refused;
            checks.plans.clear();
            return checks;
        }
        if (plan.askBeforeOverwriting) ++checks.existing;
        checks.plans.push_back(std::move(plan));
    }
    return checks;
}

std::string ExistingFilesQuestion(std::size_t existing) {
    return "\n出力先に同じ名前のファイルが " + std::to_string(existing) +
           " 個あります\n上書きしますか？";
}

std::string FailedFilesText(const std::vector<std::string>& names) {
    std::string text = "\n次のファイルをエンコードできませんでした";
    // A dialog taller than the screen would hide its button.
    for (std::size_t i = 0; i < names.size() && i < kListedFailures; ++i) text += "\n" + names[i];
    if (names.size() > kListedFailures) {
        text += "\nほか " + std::to_string(names.size() - kListedFailures) + " 個";
    }
    return text;
}

std::string DoneText(std::size_t done, std::size_t all) {
    return "完了: " + std::to_string(done) + " / " + std::to_string(all);
}

std::string RunningText(const std::vector<std::string>& names) {
    std::string text = "入力: ";
    for (std::size_t i = 0; i < names.size(); ++i) text += (i > 0 ? "、" : "") + names[i];
    return text;
}

std::vector<std::size_t> StartOrder(const std::vector<BatchFile>& files) {
    // The size's complement, most significant byte first: the longest first.
    std::vector<std::string> keys;
    keys.reserve(files.size());
    for (const BatchFile& file : files) {
        std::string key;
        for (int shift = 56; shift >= 0; shift -= 8) {
            key += static_cast<char>(~file.audioSize >> shift);
        }
        keys.push_back(std::move(key));
    }
    return OrderOf(std::move(keys));
}

std::size_t EncoderCount(std::size_t processors, std::size_t files, std::size_t limit) {
    return std::min({std::max<std::size_t>(processors, 1), files, limit});
}

EncoderProgress BatchProgress(const std::vector<std::uint64_t>& sizes,
                              const std::vector<int>& tenths, long elapsedSeconds) {
    double total = 0;
    for (std::uint64_t size : sizes) total += static_cast<double>(size);
    double done = 0;
    for (std::size_t i = 0; i < sizes.size() && i < tenths.size(); ++i) {
        const double weight = total > 0 ? static_cast<double>(sizes[i]) : 1.0;
        done += weight * std::max(tenths[i], 0);
    }
    const double all = total > 0 ? total : static_cast<double>(sizes.size());
    EncoderProgress progress;
    progress.tenths = all > 0 ? std::min(1000, static_cast<int>(done / all)) : 0;
    if (progress.tenths > 0 && progress.tenths < 1000) {
        progress.secondsLeft = static_cast<int>(static_cast<double>(elapsedSeconds) *
                                                (1000 - progress.tenths) / progress.tenths);
    }
    return progress;
}

}  // namespace wendle
