// The modal prompt dialog: one line of text asked of the user.
#pragma once

#include <string>

namespace wendle {

// The edit's length limit in bytes.
constexpr int kPromptLimit = 255;

// Control IDs of the prompt dialog, for code that looks for its controls.
constexpr int kPromptOkId = 1;      // IDOK: Enter presses it
constexpr int kPromptCancelId = 2;  // IDCANCEL: Escape presses it
constexpr int kPromptLabelId = 100;
constexpr int kPromptEditId = 101;

// Shows the dialog modally over the program's windows with `value` in the
// edit. OK sets `value` to the edit's text and answers true; Cancel, Escape
// and the close box answer false and leave `value` as it was.
bool ShowPromptDialog(const std::string& caption, const std::string& prompt, std::string& value);

}  // namespace wendle
