// oggenc.exe for Linux hosts: hands each job of Wendle's to the host's own
// oggenc under Wine, in the host folder of its current directory, and ends
// with its exit code. A developer's tool, not part of wendle.exe.
#include <cstdio>
#include <string>
#include <vector>

#include "native_arguments.h"
#include "wine_host.h"

namespace {

// Runs the encoder in the given folder; says plainly when the host has none.
const char kInFolder[] =
    "command -v oggenc >/dev/null 2>&1 || {"
    " echo 'oggenc.exe: no native oggenc on this host (install vorbis-tools)' >&2; exit 127; }\n"
    "cd -- \"$1\" || exit 126\n"
    "shift\n"
    "exec \"$@\"\n";

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
    // The C runtime split the line in the ANSI code page (932 on Japanese
    // systems); the host wants UTF-8.
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(bridge::AnsiToUtf8(argv[i]));
    std::vector<std::string> native{"/bin/sh", "-c", kInFolder, "oggenc.exe", folder, "oggenc"};
    for (std::string& arg : bridge::NativeArguments(
             args, [&](const std::string& path) { return host.HostPath(path); })) {
        native.push_back(arg);
    }
    const long status = host.Run(native);
    if (status < 0) {
        std::fputs("oggenc.exe: the native encoder could not be started or did not end normally\n",
                   stderr);
        return 2;
    }
    return static_cast<int>(status);
}
