// Control IDs of the About window, also used by tests that drive it.
#pragma once

namespace wendle {

// In creation order.
enum AboutControlId {
    kAboutVersionNameId = 101,
    kAboutCopyrightId,
    kAboutExpositionMessageId,
    kAboutFrameId,
    kAboutForVerId,
    kAboutWindowCloseId,
};

constexpr char kAboutWindowClass[] = "TAboutWindow";

}  // namespace wendle
