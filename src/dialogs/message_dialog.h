// The modal message dialog: errors and questions.
#pragma once

#include <windows.h>

#include <string>

namespace wendle {

enum class MessageKind { Error, Confirmation };
enum class MessageButtons { Ok, OkCancel, YesNoCancel };

constexpr int kResultOk = 1;
constexpr int kResultCancel = 2;
constexpr int kResultYes = 6;
constexpr int kResultNo = 7;

// Shows the dialog modally over the program's windows and returns the result
// of the button pressed. The outer top-left corner goes to (x, y); a negative
// coordinate keeps its centred value, so (-1, -1) is the centred form.
int ShowMessageDialog(const std::string& text, MessageKind kind, MessageButtons buttons, int x = -1,
                      int y = -1);
// The dialog at the window's outer corner + 150 (at 96 DPI, scaled to the
// window's), where the main window's errors and questions stand.
int ShowMessageDialogOver(HWND window, const std::string& text, MessageKind kind,
                          MessageButtons buttons);
// An error there, with OK.
void ShowError(HWND window, const std::string& text);

}  // namespace wendle
