#include "native_arguments.h"

#include <cstring>

namespace bridge {

namespace {

enum class Value { None, Text, Path, NamePattern };

// The encoder's own option letters; those with a value are followed by ':'.
const char kShortOptions[] = "A:a:b:B:c:C:d:G:hkl:L:m:M:n:N:o:P:q:QrR:s:t:VX:Y:";

Value ShortValue(char letter) {
    const char* at = std::strchr(kShortOptions, letter);
    if (letter == ':' || at == nullptr || at[1] != ':') return Value::None;
    if (letter == 'o' || letter == 'L') return Value::Path;
    if (letter == 'n') return Value::NamePattern;
    return Value::Text;
}

Value LongValue(const std::string& name) {
    static const char* const kFlags[] = {
        "quiet",   "help",    "version", "skeleton",         "raw",
        "managed", "downmix", "utf8",    "discard-comments", "ignorelength"};
    for (const char* flag : kFlags) {
        if (name == flag) return Value::None;
    }
    if (name == "output" || name == "lyrics") return Value::Path;
    if (name == "names") return Value::NamePattern;
    return Value::Text;
}

std::string ForwardSlashes(std::string path) {
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}

// The encoder reads -n as a pattern in which %% is a literal %. A pattern
// with nothing else after its % signs names one file that can be looked up.
bool LiteralName(const std::string& pattern, std::string* name) {
    name->clear();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%') {
            if (i + 1 >= pattern.size() || pattern[i + 1] != '%') return false;
            ++i;
        }
        *name += pattern[i];
    }
    return true;
}

std::string DoublePercentSigns(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '%') out += '%';
    }
    return out;
}

std::string HostPath(const std::string& path, const PathMapper& mapPath) {
    if (path == "-") return path;  // standard input or output
    std::string host = mapPath(path);
    return host.empty() ? ForwardSlashes(path) : host;
}

std::string Convert(Value kind, const std::string& value, const PathMapper& mapPath) {
    switch (kind) {
        case Value::Path:
            return HostPath(value, mapPath);
        case Value::NamePattern: {
            // Looked up on the Windows side so that an existing file is met
            // whatever the case of its name; a pattern with substitutions
            // stays relative to the folder the encoder runs in.
            std::string name, host;
            if (LiteralName(value, &name)) host = mapPath(name);
            return host.empty() ? ForwardSlashes(value) : DoublePercentSigns(host);
        }
        default:
            return value;
    }
}

}  // namespace

std::vector<std::string> NativeArguments(const std::vector<std::string>& args,
                                         const PathMapper& mapPath) {
    // The texts arrive in UTF-8 whatever the host's locale says.
    std::vector<std::string> out{"--utf8"};
    bool operandsOnly = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (operandsOnly || arg.size() < 2 || arg[0] != '-') {
            out.push_back(HostPath(arg, mapPath));
            continue;
        }
        if (arg == "--") {
            operandsOnly = true;
            out.push_back(arg);
            continue;
        }
        if (arg[1] == '-') {
            const std::size_t equals = arg.find('=');
            const Value kind = LongValue(arg.substr(2, equals - 2));
            if (kind == Value::None) {
                out.push_back(arg);
            } else if (equals != std::string::npos) {
                out.push_back(arg.substr(0, equals + 1) +
                              Convert(kind, arg.substr(equals + 1), mapPath));
            } else {
                out.push_back(arg);
                if (i + 1 < args.size()) out.push_back(Convert(kind, args[++i], mapPath));
            }
            continue;
        }
        // Letters may be grouped; the first that takes a value takes the
        // rest of the argument, or the next argument when nothing is left.
        std::size_t letter = 1;
        while (letter < arg.size() && ShortValue(arg[letter]) == Value::None) ++letter;
        if (letter == arg.size()) {
            out.push_back(arg);
        } else if (letter + 1 < arg.size()) {
            out.push_back(arg.substr(0, letter + 1) +
                          Convert(ShortValue(arg[letter]), arg.substr(letter + 1), mapPath));
        } else {
            out.push_back(arg);
            if (i + 1 < args.size()) {
                out.push_back(Convert(ShortValue(arg[letter]), args[++i], mapPath));
            }
        }
    }
    return out;
}

}  // namespace bridge
