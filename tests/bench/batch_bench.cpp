// The batch's cost: eight 2-minute WAVE files through Wendle's batch, from
// 開始 until the main window is back, against the ideal: the encoder alone on
// each file, one after the other, the sum divided by min(logical processors,
// 8). The encoder is the bridge to the host's own oggenc. Prints the medians
// of 3 and their ratio; the target is 1.15 or less. The same encoders run
// as many at once without Wendle show what the machine itself allows. Then the look before a
// batch of 1,000 small files dropped as a folder, from the start of the
// program until it is shown, against the start of the program until its
// main window is shown; the target is within a second.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "support/bench.h"
#include "support/windows.h"
#include "timing.h"

namespace {

using bench_timing::Median;
using bench_timing::Now;

const int kRounds = 3;
const int kFiles = 8;
const DWORD kTimeoutMs = 600000;
const char kBatchCaption[] = "一括エンコード - Wendle";
const char kStart[] = "開始";

// The command lines run `encoders` at a time, without Wendle: what the
// machine itself gives the batch; seconds, or -1.
double AtOnce(const std::vector<std::string>& lines, const std::string& folder, int encoders) {
    const double start = Now();
    std::vector<HANDLE> running;
    std::size_t next = 0;
    bool failed = false;
    while (next < lines.size() || !running.empty()) {
        while (!failed && static_cast<int>(running.size()) < encoders && next < lines.size()) {
            STARTUPINFOA startup{};
            startup.cb = sizeof startup;
            PROCESS_INFORMATION process{};
            std::vector<char> line(lines[next].begin(), lines[next].end());
            line.push_back('\0');
            ++next;
            failed = !CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE,
                                     CREATE_NO_WINDOW | NORMAL_PRIORITY_CLASS, nullptr,
                                     folder.c_str(), &startup, &process);
            if (failed) break;
            CloseHandle(process.hThread);
            running.push_back(process.hProcess);
        }
        if (running.empty()) break;
        const DWORD ended = WaitForMultipleObjects(static_cast<DWORD>(running.size()),
                                                   running.data(), FALSE, kTimeoutMs) -
                            WAIT_OBJECT_0;
        if (ended >= running.size()) return -1;
        DWORD exitCode = 1;
        GetExitCodeProcess(running[ended], &exitCode);
        failed = failed || exitCode != 0;
        CloseHandle(running[ended]);
        running.erase(running.begin() + ended);
    }
    return failed ? -1 : Now() - start;
}

// One batch of the files, started in the output folder; seconds from 開始
// until the main window is back, or -1.
double Batch(const std::string& folder, const std::string& arguments,
             const std::vector<std::string>& outputs) {
    bench::Wendle wendle(folder, "", arguments);
    if (!wendle.Running()) return -1;
    HWND look = wendle.WaitForDialog(kBatchCaption);
    HWND main = wendle.MainWindow();
    if (!look) return -1;
    const double begun = Now();
    if (!bench::PressButton(look, kStart)) return -1;
    if (!bench::WaitUntil([&] { return !IsWindowVisible(main); }, kTimeoutMs)) return -1;
    if (!bench::WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, kTimeoutMs)) return -1;
    const double seconds = Now() - begun;
    for (const std::string& output : outputs) {
        if (!bench::Exists(output)) return -1;
    }
    return seconds;
}

// Seconds from the program's start until its main window is shown, or
// until the look before the batch is, when `look` is set.
double StartUntilShown(const std::string& folder, const std::string& arguments, bool look) {
    const double begun = Now();
    bench::Wendle wendle(folder, "", arguments);
    if (!wendle.Running() || (look && !wendle.WaitForDialog(kBatchCaption))) return -1;
    return Now() - begun;
}

// The look before 1,000 files against a plain start, median of 3 each.
bool LookBeforeManyFiles(const std::string& root) {
    const std::string many = root + "\\many";
    CreateDirectoryA(many.c_str(), nullptr);
    const std::string small = bench::Wave(1, 8000, 100);
    for (int i = 0; i < 1000; ++i) {
        if (!bench::WriteFileBytes(many + "\\take" + std::to_string(i) + ".wav", small))
            return false;
    }
    // A folder and one more name: a batch, as a drop of them makes one.
    const std::string arguments = "\"" + many + "\" \"" + many + "\\take0.wav\"";
    std::vector<double> look, plain;
    for (int round = 0; round < kRounds; ++round) {
        plain.push_back(StartUntilShown(many, "", false));
        look.push_back(StartUntilShown(many, arguments, true));
        if (plain.back() < 0 || look.back() < 0) return false;
    }
    std::printf("start-up until the main window: median %.3f s of %d\n", Median(plain), kRounds);
    std::printf("start-up until the look before 1,000 files: median %.3f s of %d\n", Median(look),
                kRounds);
    std::printf("ratio look before 1,000 files / start-up: %.3f (target: the look within 1 s)\n",
                Median(look) / Median(plain));
    return true;
}

}  // namespace

int main() {
    const std::string root = "C:\\wendle-bench-batch";
    const std::string out = root + "\\out";
    for (const std::string& folder : {root, out}) CreateDirectoryA(folder.c_str(), nullptr);
    if (!bench::CopyProgram("oggenc_bridge.exe", out + "\\oggenc.exe")) {
        std::fprintf(stderr, "could not set the folders up in %s\n", root.c_str());
        return 1;
    }
    const std::string wave = bench::Wave(2, 44100, 120 * 1000);
    std::string arguments;
    std::vector<std::string> lines, outputs;
    for (int i = 1; i <= kFiles; ++i) {
        const std::string name = "track" + std::to_string(i);
        const std::string input = root + "\\" + name + ".wav";
        if (!bench::WriteFileBytes(input, wave)) {
            std::fprintf(stderr, "could not write %s\n", input.c_str());
            return 1;
        }
        arguments += " \"" + input + "\"";
        lines.push_back(out + "\\oggenc.exe -b160 -t" + name + " -n" + name + ".ogg \"" + input +
                        "\"");
        outputs.push_back(out + "\\" + name + ".ogg");
    }
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    const int encoders = std::min<int>(static_cast<int>(system.dwNumberOfProcessors), kFiles);
    std::vector<double> ideal, atOnce, batch;
    // Taken in turns, so that a busy moment of the machine falls on both.
    for (int round = 0; round < kRounds; ++round) {
        double sum = 0;
        for (int i = 0; i < kFiles; ++i) {
            DeleteFileA(outputs[i].c_str());
            const double alone = bench_timing::EncoderAlone(lines[i], out, kTimeoutMs);
            if (alone < 0) {
                std::fprintf(stderr, "round %d: the encoder alone did not finish\n", round + 1);
                return 1;
            }
            sum += alone;
        }
        ideal.push_back(sum / encoders);
        for (const std::string& output : outputs) DeleteFileA(output.c_str());
        atOnce.push_back(AtOnce(lines, out, encoders));
        for (const std::string& output : outputs) DeleteFileA(output.c_str());
        batch.push_back(Batch(out, arguments, outputs));
        if (atOnce.back() < 0 || batch.back() < 0) {
            std::fprintf(stderr, "round %d: the batch did not finish\n", round + 1);
            return 1;
        }
    }
    std::printf("logical processors: %d, encoders at once: %d\n",
                static_cast<int>(system.dwNumberOfProcessors), encoders);
    std::printf("ideal (encoder alone, summed / %d): median %.3f s of %d\n", encoders,
                Median(ideal), kRounds);
    std::printf("the same encoders %d at once, without Wendle: median %.3f s of %d\n", encoders,
                Median(atOnce), kRounds);
    std::printf("batch through Wendle: median %.3f s of %d\n", Median(batch), kRounds);
    std::printf("ratio batch / ideal: %.3f (target 1.15 or less)\n", Median(batch) / Median(ideal));
    // What the machine's other work takes from encoders that run at once
    // (the ideal assumes idle processors) is not Wendle's.
    std::printf("ratio batch / encoders at once without Wendle: %.3f\n",
                Median(batch) / Median(atOnce));
    if (!LookBeforeManyFiles(root)) {
        std::fprintf(stderr, "the look before 1,000 files was not shown\n");
        return 1;
    }
    return 0;
}
