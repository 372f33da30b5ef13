#include "win/fallback_box.h"

#include <windows.h>

#include <exception>

#include "win/application.h"
#include "core/failure.h"
#include "win/system_rules.h"
#include "core/error_texts.h"

namespace wendle {

void ShowFallbackError(const std::string& text) {
    MessageBoxA(App().Handle(), FallbackBoxText(text, SystemPathRules()).c_str(),
                App().Title().c_str(), MB_OK | MB_ICONERROR);
}

void ShowCaughtFailure() noexcept {
    if (!std::current_exception()) return;
    try {
        try {
            throw;
        } catch (const IoFailure& failure) {
            ShowFallbackError(IoFailureText(failure.code));
        } catch (const Failure& failure) {
            ShowFallbackError(failure.text);
        } catch (const std::exception& failure) {
            ShowFallbackError(failure.what());
        } catch (...) {
            ShowFallbackError("");
        }
    } catch (...) {
        // Not even the box could be built (no memory): nothing more can be shown.
    }
}

}  // namespace wendle
