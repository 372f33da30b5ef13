#include "core/command_arguments.h"

namespace wendle {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::vector<std::string> ProgramArguments(const std::string& line, const PathRules& rules) {
    std::size_t i = 0;
    bool quoted = false;
    for (; i < line.size() && (quoted || !IsBlank(line[i])); i = rules.NextCharacter(line, i)) {
        if (line[i] == '"') quoted = !quoted;
    }
    std::vector<std::string> arguments;
    for (;;) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i >= line.size()) return arguments;
        std::string argument;
        quoted = false;
        std::size_t backslashes = 0;
        for (std::size_t next; i < line.size() && (quoted || !IsBlank(line[i])); i = next) {
            next = rules.NextCharacter(line, i);
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
            argument.append(line, i, rules.NextCharacter(line, i) - i);
        }
        argument.append(backslashes, '\\');
        arguments.push_back(argument);
    }
}

}  // namespace wendle
