#include "core/command_arguments.h"

namespace wendle {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::vector<std::string> SplitArguments(const std::string& line, const PathRules& rules) {
    std::size_t i = 0;
    const std::size_t end = line.size();
    // The program's name: quotes only group, backslashes are plain.
    bool quoted = false;
    while (i < end && (quoted || !IsBlank(line[i]))) {
        if (line[i] == '"') quoted = !quoted;
        i = rules.NextCharacter(line, i);
    }
    std::vector<std::string> arguments;
    for (;;) {
        while (i < end && IsBlank(line[i])) ++i;
        if (i == end) break;
        std::string argument;
        quoted = false;
        while (i < end && (quoted || !IsBlank(line[i]))) {
            std::size_t backslashes = 0;
            while (i < end && line[i] == '\\') {
                ++backslashes;
                ++i;
            }
            if (i < end && line[i] == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    argument += '"';
                } else if (quoted && i + 1 < end && line[i + 1] == '"') {
                    argument += '"';
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
                continue;
            }
            argument.append(backslashes, '\\');
            if (i == end || (!quoted && IsBlank(line[i]))) break;
            const std::size_t next = rules.NextCharacter(line, i);
            argument.append(line, i, next - i);
            i = next;
        }
        arguments.push_back(argument);
    }
    return arguments;
}

}  // namespace wendle
