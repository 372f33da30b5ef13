#include "win/wave_file_reader.h"

#include <windows.h>

#include <vector>

#include "core/wave_reader.h"
#include "win/file_system.h"
#include "win/system_names.h"

namespace wendle {

namespace {

class FileBytes : public ByteSource {
  public:
    explicit FileBytes(HANDLE file) : file_(file) {
        LARGE_INTEGER size;
        if (GetFileSizeEx(file_, &size)) size_ = static_cast<std::uint64_t>(size.QuadPart);
    }
    std::uint64_t Size() const override { return size_; }
    bool ReadAt(std::uint64_t offset, char* buffer, std::size_t count) override {
        OVERLAPPED at = {};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD read = 0;
        return ReadFile(file_, buffer, static_cast<DWORD>(count), &read, &at) && read == count;
    }

  private:
    HANDLE file_;
    std::uint64_t size_ = 0;
};

// MB_ERR_INVALID_CHARS: without it the system puts a look-alike (・ in code
// page 932) for a byte that starts no character.
bool CodePageToUtf16(unsigned codePage, const std::string& bytes, std::u16string* wide) {
    wide->clear();
    if (bytes.empty()) return true;
    const int length = static_cast<int>(bytes.size());
    std::vector<wchar_t> units(bytes.size());
    const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length,
                                      units.data(), length);
    if (n <= 0) return false;
    *wide = FromWide(units.data(), static_cast<std::size_t>(n));
    return true;
}

}  // namespace

WaveFile ReadWaveFile(const std::string& path) {
    // Shared every way: an editor or a player may hold the file open.
    HANDLE file = CreateFileW(LongPath(path).data(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return WaveFile{};
    const struct Closer {
        HANDLE file;
        ~Closer() { CloseHandle(file); }
    } closer{file};
    FileBytes bytes(file);
    return ReadWave(bytes, TextConversions{&CodePageToUtf16, &ExactAnsi});
}

}  // namespace wendle
