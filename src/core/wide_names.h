// Names the system gives as UTF-16 become the program's Shift-JIS here, and
// only here. The code page's "best fit" would turn é into e and ¥ into a
// backslash: another file, or another folder. So a character is either
// written exactly, or the part that holds it goes by its short (8.3) name, or
// there is no path at all.
#pragma once

#include <string>

#include "core/path_rules.h"

namespace wendle {

// The code page's bytes for a wide text; false when any character has none
// that converts back to it (no best fit, no default character).
using ExactConversion = bool (*)(const std::u16string& wide, std::string* bytes);

// The file system's short names.
class ShortNames {
  public:
    // The short name of the last part of a full wide path; empty when it has none.
    virtual std::u16string Of(const std::u16string& path) const = 0;

  protected:
    ~ShortNames() = default;
};

// The path the program uses for a wide path: part by part, the exact bytes of
// a part, else the exact bytes of its short name. False, and the first part
// that has neither in *failedPart, when no such path exists.
bool NarrowPath(const std::u16string& path, ExactConversion convert, const ShortNames& shortNames,
                std::string* narrow, std::u16string* failedPart = nullptr);

// The text with each character the code page cannot write (a surrogate pair
// is one character) as the replacement: for names shown or made, never used
// to reach a file.
std::string NarrowWithReplacement(const std::u16string& text, ExactConversion convert,
                                  const char* replacement);
std::string NarrowWithReplacement(const std::u16string& text, ExactConversion convert,
                                  char replacement);

// The last part of a wide path: after the last backslash, slash or colon.
std::u16string WideFileName(const std::u16string& path);

// The output name for an input path read wide: its file name, each character
// the code page cannot write as "_", with the extension changed to ".ogg".
std::string OutputNameOf(const std::u16string& inputPath, ExactConversion convert,
                         const PathRules& rules);

// Why an input or a folder cannot be taken: its name has such characters and
// its drive gives no short names.
extern const char kInputNameUnwritable[];
extern const char kFolderNameUnwritable[];

}  // namespace wendle
