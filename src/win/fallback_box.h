// The box for a failure that no handler caught.
#pragma once

#include <string>

namespace wendle {

// The system message box owned by the application window, titled with the
// application title, error icon and OK; "." appended as the rules say.
void ShowFallbackError(const std::string& text);

// Call from inside a catch block: shows the failure being handled, except the
// silent abort, which is never shown.
void ShowCaughtFailure() noexcept;

// Runs one handler so that no failure leaves it.
template <class Handler>
void RunHandler(Handler&& handler) noexcept {
    try {
        handler();
    } catch (...) {
        ShowCaughtFailure();
    }
}

}  // namespace wendle
