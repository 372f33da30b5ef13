#include "win/wave_file_reader.h"

#include <windows.h>

#include <cstring>

#include "win/system_names.h"

namespace wendle {

// The first 12 bytes only: RIFF or RF64, then WAVE; the audio is taken as
// the rest of the file.
WaveFile ReadWaveFile(const std::string& path) {
    WaveFile wave;
    HANDLE file =
        CreateFileW(ToWide(WideFromAnsi(path)).data(), GENERIC_READ,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return wave;
    char head[12];
    DWORD got = 0;
    LARGE_INTEGER size{};
    if (ReadFile(file, head, sizeof head, &got, nullptr) && got == sizeof head &&
        (std::memcmp(head, "RIFF", 4) == 0 || std::memcmp(head, "RF64", 4) == 0) &&
        std::memcmp(head + 8, "WAVE", 4) == 0 && GetFileSizeEx(file, &size)) {
        wave.isWave = true;
        wave.audioSize = static_cast<std::uint64_t>(size.QuadPart) - sizeof head;
    }
    CloseHandle(file);
    return wave;
}

}  // namespace wendle
