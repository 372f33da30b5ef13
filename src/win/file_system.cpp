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

// The ANSI functions stop at MAX_PATH, while the encoder in the output folder
// opens a relative name of any length: \\?\ takes the full path as it is.
std::vector<wchar_t> LongPath(const std::string& path) {
    const std::vector<wchar_t> name = ToWide(WideFromAnsi(path));
    std::vector<wchar_t> full(MAX_PATH);
    DWORD n;
    while ((n = GetFullPathNameW(name.data(), static_cast<DWORD>(full.size()), full.data(),
                                 nullptr)) >= full.size()) {
        full.resize(n);
    }
    std::vector<wchar_t> out{L'\\', L'\\', L'?', L'\\'};
    std::size_t from = 0;
    if (n >= 4 && full[0] == L'\\' && full[1] == L'\\' && (full[2] == L'?' || full[2] == L'.')) {
        out.clear();  // already a device or \\?\ path
    } else if (n >= 2 && full[0] == L'\\' && full[1] == L'\\') {
        out.insert(out.end(), {L'U', L'N', L'C'});  // \\server\share: \\?\UNC\server\share
        from = 1;
    }
    out.insert(out.end(), full.begin() + from, full.begin() + n);
    out.push_back(L'\0');
    return out;
}

namespace {

Found Find(const std::string& name, DWORD directory) {
    if (name.empty()) return Found::No;
    const DWORD attributes = GetFileAttributesW(LongPath(name).data());
    if (attributes == INVALID_FILE_ATTRIBUTES) return FoundAfterError(GetLastError());
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) == directory ? Found::Yes : Found::No;
}

}  // namespace

Found FindFile(const std::string& name) {
    return Find(name, 0);
}

Found FindFolder(const std::string& name) {
    return Find(name, FILE_ATTRIBUTE_DIRECTORY);
}

std::string SetFileAside(const std::string& path) {
    const std::vector<wchar_t> from = LongPath(path);
    for (int attempt = 1; attempt < 100; ++attempt) {
        std::string aside = path + ".wendle-backup";
        if (attempt > 1) aside += "-" + std::to_string(attempt);
        if (MoveFileW(from.data(), LongPath(aside).data())) return aside;
        const DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) break;
    }
    return std::string();
}

bool HasContent(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExW(LongPath(path).data(), GetFileExInfoStandard, &data) &&
           !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (data.nFileSizeLow != 0 || data.nFileSizeHigh != 0);
}

bool RemoveFile(const std::string& path) {
    const std::vector<wchar_t> name = LongPath(path);
    const DWORD attributes = GetFileAttributesW(name.data());
    if (attributes == INVALID_FILE_ATTRIBUTES) return FoundAfterError(GetLastError()) == Found::No;
    // A read-only file cannot be deleted as it is.
    const DWORD writable = attributes & ~FILE_ATTRIBUTE_READONLY;
    if (writable != attributes) SetFileAttributesW(name.data(), writable);
    if (DeleteFileW(name.data())) return true;
    if (writable != attributes) SetFileAttributesW(name.data(), attributes);
    return false;
}

bool RenameFile(const std::string& from, const std::string& to) {
    return MoveFileW(LongPath(from).data(), LongPath(to).data()) != 0;
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
