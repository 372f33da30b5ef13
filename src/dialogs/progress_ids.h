// Control IDs of the progress window, also used by tests that drive it.
#pragma once

namespace wendle {

enum ProgressControlId {
    kProgressInputId = 101,
    kProgressOutputId,
    kProgressBarId,
    kProgressPercentId,
    kProgressElapsedId,
    kProgressLeftId,
    kProgressStopId,
};

constexpr char kProgressWindowClass[] = "TProgressWindow";

}  // namespace wendle
