// Texts of the failures that reach the fallback box.
#pragma once

#include <cstdint>
#include <string>

#include "core/path_rules.h"

namespace wendle {

// The text of an I/O failure with the system's error code.
std::string IoFailureText(std::uint32_t code);

// The box shows the text with "." appended when its last character (a whole
// double-byte character where it is one) sorts after "." in byte order.
std::string FallbackBoxText(const std::string& text, const PathRules& rules);

}  // namespace wendle
