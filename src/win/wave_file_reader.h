// A WAVE file's own description, read from the file system.
#pragma once

#include <string>

#include "core/wave_tags.h"

namespace wendle {

// The program's path, at any length; a file that cannot be opened or read is
// no WAVE and never throws.
WaveFile ReadWaveFile(const std::string& path);

}  // namespace wendle
