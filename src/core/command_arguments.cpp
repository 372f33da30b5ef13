#include "core/command_arguments.h"

namespace wendle {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The walk by characters over a terminated string: a lead byte takes the
// byte after it along unless that is the end.
bool StartsDoubleByte(const char* p, const PathRules& rules) {
    return rules.IsLeadByte(static_cast<unsigned char>(p[0])) && p[1] != '\0';
}

}  // namespace

const char* AfterProgramName(const char* p, const PathRules& rules) {
    bool quoted = false;
    for (; *p && (quoted || !IsBlank(*p)); ++p) {
        if (*p == '"') quoted = !quoted;
        if (StartsDoubleByte(p, rules)) ++p;
    }
    return p;
}

const char* NextArgument(const char* p, std::string& argument, const PathRules& rules) {
    while (IsBlank(*p)) ++p;
    if (!*p) return nullptr;
    argument.clear();
    bool quoted = false;
    std::size_t backslashes = 0;
    for (; *p && (quoted || !IsBlank(*p)); ++p) {
        if (*p == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote escape each other and then the quote.
        const bool beforeQuote = *p == '"';
        argument.append(beforeQuote ? backslashes / 2 : backslashes, '\\');
        if (beforeQuote && backslashes % 2 == 0) {
            backslashes = 0;
            // "" inside quotes stands for one quote.
            if (!quoted || p[1] != '"') {
                quoted = !quoted;
                continue;
            }
            ++p;
        }
        backslashes = 0;
        if (StartsDoubleByte(p, rules)) argument += *p++;
        argument += *p;
    }
    argument.append(backslashes, '\\');
    return p;
}

}  // namespace wendle
