// A batch is the one-file job for each of many WAVE files. Decided before
// anything runs: the order they are listed in, each file's tags and output
// name, the one-file job's checks for each, the order they start in and how
// many encoders run; and, while they run, how far the whole batch is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/command_line.h"
#include "core/encode_plan.h"
#include "core/encoder_progress.h"
#include "core/folder_items.h"
#include "core/path_rules.h"
#include "core/wave_tags.h"

namespace wendle {

// A WAVE file that takes part, as it was found.
struct BatchSource {
    std::string path;  // the program's path
    std::string name;  // its long name, "_" for each character the code page cannot write
    WaveFile wave;
};

// The files named that take no part, by why.
struct LeftOut {
    std::size_t notWave = 0;  // not a RIFF or RF64 WAVE file by its first 12 bytes
    std::size_t unnamed = 0;  // its name has no path the program can use
    std::size_t missing = 0;  // named, but not there
};

// What the look before the batch says of them.
std::string LeftOutText(const LeftOut& leftOut);

// One file of the batch: the one-file job's fields, and its weight.
struct BatchFile {
    std::string name;
    std::uint64_t audioSize = 0;
    EncodeFields fields;
};

// The files in the folder list's order of their names (`order`), each with
// its own tags: the file's title, else its name without the extension; the
// typed artist, album and comment, else the file's; the file's date, genre
// and track; the typed bit rate. Output names are the one-file job's; a later
// input whose name the file system takes for an earlier one's (`sameName`
// gives both one key) gets " (2)", " (3)"... before ".ogg".
std::vector<BatchFile> PlanBatch(std::vector<BatchSource> sources, const EncodeFields& typed,
                                 SortKey order, SortKey sameName, const PathRules& rules);

struct BatchChecks {
    // A refusal that holds for every file (the encoder, the output folder, a
    // typed field): nothing runs.
    const char* refusal = nullptr;
    std::string refused;
    std::vector<EncodePlan> plans;  // the one-file job's, one per file
    std::size_t existing = 0;       // outputs that are files already
};

BatchChecks CheckBatch(const std::vector<BatchFile>& files, const EncodeFields& typed,
                       const std::string& encoderPath, const std::string& outputFolder,
                       const FileQueries& queries, const PathRules& rules);

// The one question before a batch whose outputs exist: はい overwrites them,
// いいえ leaves them and skips their inputs.
std::string ExistingFilesQuestion(std::size_t existing);
// The one error after a batch: each failed input's name on a line, the
// first kListedFailures of them, then how many more.
std::string FailedFilesText(const std::vector<std::string>& names);
constexpr std::size_t kListedFailures = 20;
// While it runs: how many are over, and which run.
std::string DoneText(std::size_t done, std::size_t all);
std::string RunningText(const std::vector<std::string>& names);

// Indices of the files, the longest audio first; equal ones in list order.
std::vector<std::size_t> StartOrder(const std::vector<BatchFile>& files);

// One encoder per logical processor, never more than the files or the
// limit, and at least one while there is a file.
std::size_t EncoderCount(std::size_t processors, std::size_t files, std::size_t limit);

// The whole batch: each file's per mille (1000 once it is over, 0 before it
// starts) weighted by its audio size (alike when none has any), and the time
// left at the pace so far.
EncoderProgress BatchProgress(const std::vector<std::uint64_t>& sizes,
                              const std::vector<int>& tenths, long elapsedSeconds);

}  // namespace wendle
