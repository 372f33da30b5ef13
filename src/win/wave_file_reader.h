// A WAVE file read from disk through the pure reader.
#pragma once

#include <string>

#include "core/wave_tags.h"

namespace wendle {

// The program's Shift-JIS path; never throws: a file that cannot be read is
// no WAVE file.
WaveFile ReadWaveFile(const std::string& path);

}  // namespace wendle
