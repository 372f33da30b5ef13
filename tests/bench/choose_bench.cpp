// Choosing an input: a 1 GiB WAVE whose LIST/INFO follows its audio, dropped
// on a main window made here, against the same file without the list. The
// reader passes over the audio, so the tags should cost next to nothing.
// Prints both medians of 11 and their ratio; the target is 1.10 or less.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "dialog_watch.h"
#include "main/main_ids.h"
#include "main/main_window.h"
#include "support/bench.h"
#include "timing.h"
#include "support/windows.h"

namespace {

const int kRounds = 11;
const std::uint64_t kAudioBytes = 1ull << 30;

using bench_timing::Median;
using bench_timing::Now;

std::string Le32(std::uint32_t n) {
    return std::string(reinterpret_cast<const char*>(&n), 4);
}

std::string Item(const char* id, const std::string& value) {
    return id + Le32(static_cast<std::uint32_t>(value.size())) + value;
}

bool WriteAt(HANDLE file, std::uint64_t offset, const std::string& bytes) {
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(offset);
    DWORD written = 0;
    return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) &&
           WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// The file ends after its audio, or with its tags after it.
bool SetTags(HANDLE file, std::uint64_t audioEnd, const std::string& tags) {
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(audioEnd);
    return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && SetEndOfFile(file) &&
           (tags.empty() || WriteAt(file, audioEnd, tags)) && FlushFileBuffers(file);
}

}  // namespace

int main() {
    dialog_watch::SetUpApplication();
    const std::string folder = "C:\\wendle-bench-choose";
    CreateDirectoryA(folder.c_str(), nullptr);
    SetCurrentDirectoryA(folder.c_str());
    const std::string path = folder + "\\long.wav";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    // 朝の歌, 山田 太郎, 録音集 and more, in code page 932.
    const std::string items = Item("INAM", "\x92\xA9\x82\xCC\x89\xCC") +
                              Item("IART", "\x8E\x52\x93\x63 \x91\xBE\x98\x59") +
                              Item("IPRD", "\x98\x5E\x89\xB9\x8F\x57") + Item("ICMT", "take 1") +
                              Item("ICRD", "2004") + Item("IGNR", "J-Pop") + Item("ITRK", "3 ");
    const std::string tags =
        "LIST" + Le32(static_cast<std::uint32_t>(4 + items.size())) + "INFO" + items;
    // PCM, 2 channels, 44.1 kHz, 16 bits.
    const std::string format = std::string("fmt ") + Le32(16) + std::string("\x01\0\x02\0", 4) +
                               Le32(44100) + Le32(176400) + std::string("\x04\0\x10\0", 4);
    const std::string head = "RIFF" + Le32(0xFFFFFFFF) + "WAVE" + format + "data" +
                             Le32(static_cast<std::uint32_t>(kAudioBytes));
    const std::uint64_t audioEnd = head.size() + kAudioBytes;
    if (file == INVALID_HANDLE_VALUE || !WriteAt(file, 0, head) || !SetTags(file, audioEnd, "")) {
        std::fprintf(stderr, "cannot make %s (error %lu)\n", path.c_str(), GetLastError());
        return 1;
    }

    auto window = std::make_unique<wendle::MainWindow>();
    if (!window->Create()) return 1;
    const auto choose = [&] {
        HDROP drop = bench::MakeDrop({bench::Wide(path)});
        const double start = Now();
        SendMessageA(window->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
        return Now() - start;
    };
    std::vector<double> with, without;
    for (int round = -1; round < kRounds; ++round) {  // round -1 warms up
        if (!SetTags(file, audioEnd, tags)) return 1;
        const double tagged = choose();
        if (window->Text(wendle::kTitleEditId).empty()) {
            std::fprintf(stderr, "the tags were not read\n");
            return 1;
        }
        if (!SetTags(file, audioEnd, "")) return 1;
        const double plain = choose();
        if (round >= 0) with.push_back(tagged), without.push_back(plain);
    }
    CloseHandle(file);
    window.reset();
    DeleteFileA(path.c_str());
    RemoveDirectoryA(folder.c_str());
    std::printf("choose with tags: %.3f ms (median of %d)\n", Median(with) * 1000, kRounds);
    std::printf("choose without:   %.3f ms (median of %d)\n", Median(without) * 1000, kRounds);
    std::printf("ratio choose with tags / without: %.3f (target 1.10 or less)\n",
                Median(with) / Median(without));
    return 0;
}
