// What one press of the start button does, decided before anything runs:
// the first check that fails, or the job with its command line and folder.
#pragma once

#include <cstdint>
#include <string>

#include "core/command_line.h"
#include "core/path_rules.h"

namespace wendle {

// What an existence check found. Only "no such file" and "no such path" say
// that nothing is there; any other refusal (a name too long or not allowed,
// no access, a drive not ready) leaves it unknown.
enum class Found { No, Yes, Unknown };
Found FoundAfterError(std::uint32_t systemError);

// The answers of the file system that the checks need.
class FileQueries {
  public:
    virtual Found FindFile(const std::string& name) const = 0;
    virtual Found FindFolder(const std::string& name) const = 0;

  protected:
    ~FileQueries() = default;
};

struct EncodePlan {
    // The message of the first failed check; null when the job may run.
    const char* refusal = nullptr;
    std::string refused;  // the file or folder a refusal is about, if it names one
    // Built once the encoder is found, before the later checks.
    bool commandLineBuilt = false;
    std::string commandLine;
    std::string outputFolder;  // where the encoder runs; ends in a backslash
    std::string output;        // the output folder and the name
    bool askBeforeOverwriting = false;
};

EncodePlan PlanEncode(const EncodeFields& fields, const std::string& encoderPath,
                      const std::string& outputPath, const FileQueries& files,
                      const PathRules& rules);

// The messages of the checks, in their order, and of any other failure.
extern const char kJobFailed[];
extern const char kEncoderMissing[];
extern const char kInputMissing[];
extern const char kFolderMissing[];
extern const char kCannotCheck[];
extern const char kBrokenCharacter[];
extern const char kFolderTooLong[];
extern const char kNameHasDelimiter[];
extern const char kNameIsDevice[];
extern const char kNameEndsBadly[];
extern const char kOutputIsFolder[];
extern const char kOverwriteQuestion[];

}  // namespace wendle
