// Control IDs of the message dialog, for code that looks for its controls.
#pragma once

namespace wendle {

constexpr int kMessageOkId = 1;      // IDOK: Enter presses it (OK, Yes)
constexpr int kMessageCancelId = 2;  // IDCANCEL: Escape presses it
constexpr int kMessageNoId = 7;      // IDNO
constexpr int kMessageTextId = 100;
constexpr int kMessageIconId = 101;

}  // namespace wendle
