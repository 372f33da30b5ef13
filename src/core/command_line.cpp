#include "core/command_line.h"

#include "core/bitrates.h"

namespace wendle {

namespace {

bool NeedsQuotes(const std::string& value) {
    return value.find_first_of(" \t\"") != std::string::npos;
}

// Every option piece carries its value as one argument, so that a blank in a
// title cannot split it and a quote in it cannot add options of its own.
std::string OptionPiece(const char* option, const std::string& value, const PathRules& rules) {
    return option + QuoteArgument(value, rules);
}

std::string DoublePercentSigns(const std::string& name) {
    // The encoder reads the name as a pattern in which % starts a substitution.
    std::string out;
    for (char c : name) {
        out += c;
        if (c == '%') out += '%';
    }
    return out;
}

}  // namespace

std::string QuoteArgument(const std::string& value, const PathRules& rules) {
    return NeedsQuotes(value) ? Quoted(value, rules) : value;
}

std::string Quoted(const std::string& value, const PathRules& rules) {
    // The runtime halves backslashes only in a run that ends at a double quote,
    // so such runs are doubled; its double-byte walk never sees a trail byte
    // 0x5C as a backslash, and neither may we.
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (std::size_t i = 0, next; i < value.size(); i = next) {
        next = rules.NextCharacter(value, i);
        unsigned char c = static_cast<unsigned char>(value[i]);
        if (next > i + 1) {
            out.append(value, i, 2);
            backslashes = 0;
        } else if (c == '\\') {
            out += '\\';
            ++backslashes;
        } else if (c == '"') {
            out.append(backslashes + 1, '\\');
            out += '"';
            backslashes = 0;
        } else {
            out += static_cast<char>(c);
            backslashes = 0;
        }
    }
    out.append(backslashes, '\\');
    out += '"';
    return out;
}

std::string BuildCommandLine(const std::string& encoderPath, const EncodeFields& fields,
                             const PathRules& rules) {
    std::string line = encoderPath.find_first_of(" \t") == std::string::npos
                           ? encoderPath
                           : "\"" + encoderPath + "\"";
    line += BitrateAt(fields.bitrateIndex).option;
    if (!fields.title.empty()) line += OptionPiece(" -t", fields.title, rules);
    if (!fields.artist.empty()) line += OptionPiece(" -a", fields.artist, rules);
    if (!fields.album.empty()) line += OptionPiece(" -l", fields.album, rules);
    // The encoder takes a comment only as TAG=value and drops a bare text.
    if (!fields.comment.empty()) line += OptionPiece(" -c", "COMMENT=" + fields.comment, rules);
    if (!fields.date.empty()) line += OptionPiece(" -d", fields.date, rules);
    if (!fields.genre.empty()) line += OptionPiece(" -G", fields.genre, rules);
    if (!fields.track.empty()) line += OptionPiece(" -N", fields.track, rules);
    line += OptionPiece(" -n", DoublePercentSigns(fields.outputFileName), rules);
    line += " " + Quoted(fields.inputFileName, rules);
    return line;
}

}  // namespace wendle
