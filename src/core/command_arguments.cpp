#include "core/command_arguments.h"

namespace wendle {

namespace {

template <class Char>
bool IsBlank(Char c) {
    return c == ' ' || c == '\t';
}

// One walk for both widths: nextCharacter steps over a whole character.
template <class String, class Next>
std::vector<String> SplitArguments(const String& line, const Next& nextCharacter) {
    std::size_t i = 0;
    bool quoted = false;
    for (; i < line.size() && (quoted || !IsBlank(line[i])); i = nextCharacter(i)) {
        if (line[i] == '"') quoted = !quoted;
    }
    std::vector<String> arguments;
    for (;;) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i >= line.size()) return arguments;
        String argument;
        quoted = false;
        std::size_t backslashes = 0;
        for (std::size_t next; i < line.size() && (quoted || !IsBlank(line[i])); i = next) {
            next = nextCharacter(i);
            if (line[i] == '\\') {
                ++backslashes;
                continue;
            }
            // Backslashes before a quote escape each other and then the quote.
            const bool beforeQuote = line[i] == '"';
            argument.append(beforeQuote ? backslashes / 2 : backslashes, '\\');
            const bool escaped = backslashes % 2 == 1;
            backslashes = 0;
            if (beforeQuote && !escaped) {
                // "" inside quotes stands for one quote.
                if (!quoted || next >= line.size() || line[next] != '"') {
                    quoted = !quoted;
                    continue;
                }
                ++next;
            }
            argument.append(line, i, nextCharacter(i) - i);
        }
        argument.append(backslashes, '\\');
        arguments.push_back(argument);
    }
}

}  // namespace

std::vector<std::string> ProgramArguments(const std::string& line, const PathRules& rules) {
    return SplitArguments(line, [&](std::size_t i) { return rules.NextCharacter(line, i); });
}

std::vector<std::u16string> ProgramArguments(const std::u16string& line) {
    return SplitArguments(line, [](std::size_t i) { return i + 1; });
}

}  // namespace wendle
