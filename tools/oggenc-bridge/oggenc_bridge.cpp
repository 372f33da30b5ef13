// oggenc.exe for Linux hosts: hands each job of Wendle's to the host's own
// oggenc under Wine, in the host folder of its current directory, passes its
// standard error on, and ends with its exit code. A developer's tool, not
// part of wendle.exe.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "native_arguments.h"
#include "wine_host.h"

namespace {

// Runs the encoder in the given folder with its errors appended to a file.
// Ending this bridge (中止 in Wendle) ends the encoder within a second: the
// host program is no child Windows knows of.
const char kInFolder[] =
    "exec 2>>\"$2\"\n"
    "command -v oggenc >/dev/null 2>&1 || {"
    " echo 'oggenc.exe: no native oggenc on this host (install vorbis-tools)' >&2; exit 127; }\n"
    "cd -- \"$1\" || exit 126\n"
    "shift 2\n"
    "bridge=$PPID\n"
    "\"$@\" &\n"
    "encoder=$!\n"
    "( while kill -0 \"$bridge\" 2>/dev/null; do sleep 0.2; done; kill \"$encoder\" ) &\n"
    "watch=$!\n"
    "wait \"$encoder\"\n"
    "status=$?\n"
    "kill \"$watch\" 2>/dev/null\n"
    "exit $status\n";

// Wine gives a host program the process's own standard error, not the
// Windows handle: the host writes to a file that this passes on as it grows.
struct ErrorsPassedOn {
    HANDLE file = INVALID_HANDLE_VALUE;
    volatile LONG done = 0;
};

void PassOn(HANDLE file) {
    char buffer[4096];
    DWORD got = 0, written = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), buffer, got, &written, nullptr);
    }
}

DWORD WINAPI PassOnUntilDone(LPVOID context) {
    auto* errors = static_cast<ErrorsPassedOn*>(context);
    while (!InterlockedCompareExchange(&errors->done, 0, 0)) {
        PassOn(errors->file);
        Sleep(50);
    }
    PassOn(errors->file);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const bridge::WineHost host;
    if (!host.Available()) {
        std::fputs("oggenc.exe: this is a bridge to a native oggenc and runs only under Wine\n",
                   stderr);
        return 2;
    }
    const std::string folder = host.CurrentHostFolder();
    if (folder.empty()) {
        std::fputs("oggenc.exe: the current folder has no host path\n", stderr);
        return 2;
    }
    wchar_t temp[MAX_PATH];
    const DWORD n = GetTempPathW(MAX_PATH, temp);
    const std::wstring errorsName = std::wstring(temp, n < MAX_PATH ? n : 0) + L"wendle-bridge-" +
                                    std::to_wstring(GetCurrentProcessId()) + L".txt";
    ErrorsPassedOn errors;
    // Gone with the bridge, however it ends.
    errors.file = CreateFileW(errorsName.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    const std::string errorsHostPath =
        errors.file == INVALID_HANDLE_VALUE ? "/dev/null" : host.HostPath(bridge::Utf8(errorsName));
    // The C runtime split the line in the ANSI code page (932 on Japanese
    // systems); the host wants UTF-8.
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(bridge::AnsiToUtf8(argv[i]));
    std::vector<std::string> native{"/bin/sh", "-c",           kInFolder, "oggenc.exe",
                                    folder,    errorsHostPath, "oggenc"};
    for (std::string& arg : bridge::NativeArguments(
             args, [&](const std::string& path) { return host.HostPath(path); })) {
        native.push_back(arg);
    }
    HANDLE passing = errors.file == INVALID_HANDLE_VALUE
                         ? nullptr
                         : CreateThread(nullptr, 0, PassOnUntilDone, &errors, 0, nullptr);
    const long status = host.Run(native);
    InterlockedExchange(&errors.done, 1);
    if (passing) {
        WaitForSingleObject(passing, INFINITE);
        CloseHandle(passing);
    }
    if (errors.file != INVALID_HANDLE_VALUE) CloseHandle(errors.file);
    if (status < 0) {
        std::fputs("oggenc.exe: the native encoder could not be started or did not end normally\n",
                   stderr);
        return 2;
    }
    return static_cast<int>(status);
}
