#include "win/file_system.h"

#include <windows.h>

#include <vector>

#include "core/failure.h"
#include "win/system_names.h"
#include "win/system_rules.h"

namespace wendle {

// Any entry that is not a folder counts, whatever its time stamp: a file dated
// outside the MS-DOS range (before 1980, after 2107) is still there.
bool FileExists(const std::string& name) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(name.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

namespace {

bool IsFileAttributes(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

bool IsExistingFile(const std::string& name) {
    return IsFileAttributes(GetFileAttributesA(name.c_str()));
}

bool IsExistingFile(const std::u16string& name) {
    return IsFileAttributes(GetFileAttributesW(ToWide(name).data()));
}

bool FolderExists(const std::string& name) {
    if (name.empty()) return false;
    DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CreateFolder(const std::string& name) {
    return CreateDirectoryA(name.c_str(), nullptr) != 0;
}

std::string SetFileAside(const std::string& path) {
    for (int attempt = 1; attempt < 100; ++attempt) {
        std::string aside = path + ".wendle-backup";
        if (attempt > 1) aside += "-" + std::to_string(attempt);
        if (MoveFileA(path.c_str(), aside.c_str())) return aside;
        const DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) break;
    }
    return std::string();
}

bool RemoveFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != 0;
}

bool RenameFile(const std::string& from, const std::string& to) {
    return MoveFileA(from.c_str(), to.c_str()) != 0;
}

std::string ProgramFolder() {
    std::vector<wchar_t> buffer(MAX_PATH);
    DWORD n;
    // A path that fills the buffer may have been cut: try a larger one.
    while ((n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()))) ==
               buffer.size() &&
           buffer.size() < 32768) {
        buffer.resize(buffer.size() * 2);
    }
    std::string program;
    if (n == 0 || n == buffer.size() || !NarrowSystemPath(FromWide(buffer.data(), n), &program)) {
        return std::string();
    }
    return SystemPathRules().ExtractDirectory(program);
}

std::string ReadCurrentDirectory() {
    wchar_t buffer[MAX_PATH];
    const DWORD n = GetCurrentDirectoryW(MAX_PATH, buffer);
    // n >= MAX_PATH is the size the directory would need: nothing was copied.
    if (n == 0 || n >= MAX_PATH) return std::string();
    std::string directory;
    if (!NarrowSystemPath(FromWide(buffer, n), &directory)) return std::string();
    // What no ANSI function could enter again.
    return directory.size() < MAX_PATH ? directory : std::string();
}

void ChangeCurrentDirectory(const std::string& name) {
    if (!SetCurrentDirectoryA(name.c_str())) throw IoFailure{GetLastError()};
}

}  // namespace wendle
