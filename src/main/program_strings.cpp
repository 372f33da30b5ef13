#include "main/program_strings.h"

namespace wendle {

std::string EncoderPath;
std::string CommandLine;

}  // namespace wendle
