// File-system queries and changes. Names are byte strings in the ANSI code
// page; relative names resolve against the process's current directory.
#pragma once

#include <string>
#include <vector>

#include "core/encode_plan.h"

namespace wendle {

// True for any entry the search finds that is not a folder; wildcards honoured,
// the first match decides.
bool FileExists(const std::string& name);
// True when the name itself is an existing file: no pattern, no folder.
bool IsExistingFile(const std::string& name);
bool IsExistingFile(const std::u16string& name);
// True for an existing folder; a trailing backslash and a drive root are fine.
bool FolderExists(const std::string& name);
// Creates the last level only; false on any refusal.
bool CreateFolder(const std::string& name);
// The folder that holds the program's own file, as the program's path; empty
// when it has none.
std::string ProgramFolder();
// Read wide, as the program's path; empty when it cannot be read, has no such
// path, or does not fit 260 bytes.
std::string ReadCurrentDirectory();
// The encode job's checks and its own files work at any length: the wide
// functions on the full \\?\ form of the name. An empty name is no entry.
Found FindFile(const std::string& name);
// The name as the wide functions take it at any length, zero-terminated.
std::vector<wchar_t> LongPath(const std::string& path);
Found FindFolder(const std::string& name);
// Those two for the planners' checks.
class SystemFileQueries : public FileQueries {
  public:
    Found FindFile(const std::string& name) const override { return wendle::FindFile(name); }
    Found FindFolder(const std::string& name) const override { return wendle::FindFolder(name); }
};
// Renames a file within its folder to <name>.wendle-backup (-2, -3, ... when
// that is taken); the new path, or empty when it could not.
std::string SetFileAside(const std::string& path);
// True for a file that holds at least one byte.
bool HasContent(const std::string& path);
// True also when there is no such file; a read-only file is removed as well.
bool RemoveFile(const std::string& path);
bool RenameFile(const std::string& from, const std::string& to);
// Throws IoFailure with the system error code; on failure nothing changes.
void ChangeCurrentDirectory(const std::string& name);

}  // namespace wendle
