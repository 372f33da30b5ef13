// How the encoder's Windows arguments become the native encoder's: texts pass
// as they are, paths become host paths. Plain logic, tested natively.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace bridge {

// A Windows path (UTF-8) to its host path; empty when there is none.
using PathMapper = std::function<std::string(const std::string& windowsPath)>;

// The native encoder's arguments for argv[1..] (UTF-8), without its name.
std::vector<std::string> NativeArguments(const std::vector<std::string>& args,
                                         const PathMapper& mapPath);

}  // namespace bridge
