// The encoder command line: pieces concatenated with nothing between them.
#pragma once

#include <string>

#include "core/path_rules.h"

namespace wendle {

struct EncodeFields {
    int bitrateIndex = -1;  // selected item of the bit-rate list, -1 for none
    std::string title;
    std::string artist;
    std::string album;
    std::string comment;
    // The input's own tags that no field shows; empty leaves the option out.
    std::string date;
    std::string genre;
    std::string track;
    std::string outputFileName;
    std::string inputFileName;
};

// A value as one argument for the encoder's C runtime: in double quotes when it
// holds a blank, a tab or a double quote, else unchanged. Trail bytes 0x5C
// belong to their character and are never taken for backslashes.
std::string QuoteArgument(const std::string& value, const PathRules& rules);
// The same rule, always in double quotes.
std::string Quoted(const std::string& value, const PathRules& rules);

std::string BuildCommandLine(const std::string& encoderPath, const EncodeFields& fields,
                             const PathRules& rules);

}  // namespace wendle
