// The encode job's cost: one job of a 60-second WAVE through Wendle's window
// (progress window and pipe included), from the click to the main window
// shown again, against the same encoder run alone on the same file with the
// same command line and folder. The encoder is the bridge to the host's own
// oggenc. Prints both medians of 5 and their ratio; the target is 1.05 or less.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "main/main_ids.h"
#include "support/bench.h"
#include "timing.h"
#include "support/windows.h"

namespace {

const int kRounds = 5;
const DWORD kTimeoutMs = 120000;

using bench_timing::Median;
using bench_timing::Now;

// One job through the window; seconds, or -1.
double Job(bench::Wendle& wendle, const std::string& output) {
    HWND main = wendle.MainWindow();
    HWND start = wendle.Control(wendle::kStartEncodeId);
    if (!bench::WaitUntil([&] { return IsWindowEnabled(start) != FALSE; })) return -1;
    const double begun = Now();
    wendle.Click(wendle::kStartEncodeId);
    if (!bench::WaitUntil([&] { return !IsWindowVisible(main); }, kTimeoutMs)) return -1;
    if (!bench::WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, kTimeoutMs)) return -1;
    const double seconds = Now() - begun;
    return bench::Exists(output) ? seconds : -1;
}

}  // namespace

int main() {
    const std::string root = "C:\\wendle-bench-encode";
    const std::string start = root + "\\start", out = root + "\\out";
    for (const std::string& folder : {root, start, out}) CreateDirectoryA(folder.c_str(), nullptr);
    const std::string input = root + "\\take1.wav", output = out + "\\take1.ogg";
    if (!bench::CopyProgram("oggenc_bridge.exe", start + "\\oggenc.exe") ||
        !bench::WriteFileBytes(input, bench::Wave(2, 44100, 60 * 1000))) {
        std::fprintf(stderr, "could not set the folders up in %s\n", root.c_str());
        return 1;
    }
    const std::string commandLine = start + "\\oggenc.exe -b160 -ntake1.ogg \"" + input + "\"";
    bench::Wendle wendle(start);
    if (!wendle.Running()) {
        std::fprintf(stderr, "wendle.exe did not start\n");
        return 1;
    }
    wendle.SetText(wendle::kInputFileNameId, input);
    wendle.SetText(wendle::kOutputFilePathId, output);
    std::vector<double> alone, job;
    // Taken in turns, so that a busy moment of the machine falls on both.
    for (int round = 0; round < kRounds; ++round) {
        DeleteFileA(output.c_str());
        alone.push_back(bench_timing::EncoderAlone(commandLine, out, kTimeoutMs));
        DeleteFileA(output.c_str());
        job.push_back(Job(wendle, output));
        if (alone.back() < 0 || job.back() < 0) {
            std::fprintf(stderr, "round %d: the encoder or the job did not finish\n", round + 1);
            return 1;
        }
    }
    std::printf("encoder alone: median %.3f s of %d\n", Median(alone), kRounds);
    std::printf("job through Wendle: median %.3f s of %d\n", Median(job), kRounds);
    std::printf("ratio job / encoder alone: %.3f (target 1.05 or less)\n",
                Median(job) / Median(alone));
    return 0;
}
