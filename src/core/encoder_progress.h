// The encoder's progress as it writes it to standard error, taken from pieces
// of any size: "\r\t[ 42.0%] [ 0m03s remaining] | " again and again, between
// other lines. Anything else leaves the last progress as it was.
#pragma once

#include <cstddef>
#include <string>

#include "core/path_rules.h"

namespace wendle {

struct EncoderProgress {
    int tenths = -1;       // per mille of the work done; -1 before the first record
    int secondsLeft = -1;  // -1 while the encoder does not say
};

class EncoderProgressReader {
  public:
    // The encoder's texts are in the system's code page: a trail byte may
    // look like "[" or "]".
    explicit EncoderProgressReader(const PathRules& rules) : rules_(rules) {}

    // Takes the next piece of output; true when the progress changed.
    bool Take(const char* bytes, std::size_t size);
    const EncoderProgress& Progress() const { return progress_; }

  private:
    bool TakeLine(bool complete);

    PathRules rules_;
    std::string line_;  // since the last carriage return or line feed
    EncoderProgress progress_;
};

// "42%": the whole per cent, rounded down.
std::string PercentText(int tenths);
// "0:07", "12:34", "1:02:03".
std::string DurationText(long seconds);

}  // namespace wendle
