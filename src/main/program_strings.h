// The two program-wide strings.
#pragma once

#include <string>

namespace wendle {

// Full path of the encoder, fixed once while the main window is created.
extern std::string EncoderPath;
// The encoder command line of the most recent encode job.
extern std::string CommandLine;

}  // namespace wendle
