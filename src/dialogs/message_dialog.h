// The modal message dialog: errors and questions.
#pragma once

#include <string>

namespace wendle {

enum class MessageKind { Error, Confirmation };
enum class MessageButtons { Ok, OkCancel };

constexpr int kResultOk = 1;
constexpr int kResultCancel = 2;

// Shows the dialog modally over the program's windows and returns the result
// of the button pressed. The outer top-left corner goes to (x, y); a negative
// coordinate keeps its centred value, so (-1, -1) is the centred form.
int ShowMessageDialog(const std::string& text, MessageKind kind, MessageButtons buttons, int x = -1,
                      int y = -1);

}  // namespace wendle
