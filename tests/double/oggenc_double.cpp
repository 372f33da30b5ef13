// Stand-in for the encoder in tests. It writes how it was started (its command
// line bytes, argv as its C runtime split them, its current directory), then
// writes the output file named by its -n argument, as the encoder would: the
// four bytes "OggS", which open every Ogg file.
//   WENDLE_DOUBLE_REPORT  absolute path of the report to write
//   WENDLE_DOUBLE_HOLD    name of an event to wait for before finishing
//   WENDLE_DOUBLE_EXIT    exit code to end with
//   WENDLE_DOUBLE_NO_OUTPUT  set: writes no output at all
//   WENDLE_DOUBLE_PROGRESS  set: creates the output at once, then writes
//                         progress records to standard error as the encoder
//                         does, each split across two writes, and holds at
//                         50.0% (until the hold event, when one is named)
//   WENDLE_DOUBLE_LOG     a folder: each run writes <pid>.txt there, the
//                         report with "start" and, once over, "end" times
//   WENDLE_DOUBLE_QUICK   an output name that is never held
//   WENDLE_DOUBLE_FAIL    an output name for which it writes nothing and
//                         ends with exit code 1
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Env(const char* name) {
    char value[1024];
    DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

void Line(std::string& report, const char* key, const std::string& bytes) {
    report += key;
    report += ' ';
    char piece[3];
    for (unsigned char b : bytes) {
        std::snprintf(piece, sizeof piece, "%02X", b);
        report += piece;
    }
    report += '\n';
}

// The encoder reads its -n value as a pattern in which %% stands for %.
std::string OutputName(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg.compare(0, 2, "-n") != 0) continue;
        std::string name;
        for (std::size_t j = 2; j < arg.size(); ++j) {
            name += arg[j];
            if (arg[j] == '%' && j + 1 < arg.size() && arg[j + 1] == '%') ++j;
        }
        return name;
    }
    return "";
}

void CreateOutput(const std::string& name) {
    if (name.empty() || !Env("WENDLE_DOUBLE_NO_OUTPUT").empty()) return;
    HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, "OggS", 4, &written, nullptr);
    CloseHandle(file);
}

void Progress(int fromTenths, int toTenths) {
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    for (int tenths = fromTenths; tenths <= toTenths; tenths += 100) {
        char record[64];
        const int left = (1000 - tenths) / 100;
        const int n = std::snprintf(record, sizeof record, "\r\t[%5.1f%%] [%2dm%02ds remaining] | ",
                                    tenths / 10.0, left / 60, left % 60);
        WriteFile(error, record, 7, &written, nullptr);
        Sleep(20);
        WriteFile(error, record + 7, static_cast<DWORD>(n - 7), &written, nullptr);
    }
}

// Written aside and renamed, so a test never reads half a report.
void WriteReport(const std::string& path, const std::string& report) {
    const std::string aside = path + ".part";
    HANDLE file = CreateFileA(aside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, report.data(), static_cast<DWORD>(report.size()), &written, nullptr);
    CloseHandle(file);
    // A test reading the report now holds it open: try again, for a while.
    for (int i = 0; i < 500; ++i) {
        if (MoveFileExA(aside.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) return;
        Sleep(10);
    }
}

// The performance counter, which every process of the machine shares.
std::string Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return std::to_string(now.QuadPart);
}

void Hold(const std::string& output) {
    const std::string hold = Env("WENDLE_DOUBLE_HOLD");
    if (output == Env("WENDLE_DOUBLE_QUICK")) return;
    if (hold.empty()) return;
    if (HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, hold.c_str())) {
        WaitForSingleObject(event, 60000);
        CloseHandle(event);
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string report;
    Line(report, "command", GetCommandLineA());
    for (int i = 0; i < argc; ++i) Line(report, "argv", argv[i]);
    char cwd[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(MAX_PATH, cwd);
    Line(report, "cwd", std::string(cwd, n < MAX_PATH ? n : 0));
    Line(report, "pid", std::to_string(GetCurrentProcessId()));

    const std::string reportPath = Env("WENDLE_DOUBLE_REPORT");
    if (!reportPath.empty()) WriteReport(reportPath, report);
    const std::string log = Env("WENDLE_DOUBLE_LOG");
    const std::string logPath = log + "\\" + std::to_string(GetCurrentProcessId()) + ".txt";
    report += "start " + Now() + "\n";
    if (!log.empty()) WriteReport(logPath, report);
    const std::string output = OutputName(argc, argv);
    if (!output.empty() && output == Env("WENDLE_DOUBLE_FAIL")) {
        if (!log.empty()) WriteReport(logPath, report + "end " + Now() + "\n");
        return 1;
    }
    if (!Env("WENDLE_DOUBLE_PROGRESS").empty()) {
        CreateOutput(output);
        const char opening[] = "Opening with wav module: WAV file reader\n";
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), opening, sizeof opening - 1, &written, nullptr);
        Progress(0, 500);
        Hold(output);
        Progress(600, 1000);
    } else {
        Hold(output);
        CreateOutput(output);
    }
    if (!log.empty()) WriteReport(logPath, report + "end " + Now() + "\n");
    const std::string exitCode = Env("WENDLE_DOUBLE_EXIT");
    return exitCode.empty() ? 0 : std::atoi(exitCode.c_str());
}
