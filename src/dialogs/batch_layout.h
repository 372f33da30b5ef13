// The look before a batch as one table of controls, in pixels at 96 DPI.
#pragma once

#include <windows.h>

#include <cstddef>

#include "core/dialog_metrics.h"

namespace wendle {

struct BatchControlSpec {
    int id;
    const char* windowClass;
    DWORD style;
    PixelRect at;
    const char* caption;
};

extern const BatchControlSpec kBatchControls[];
extern const std::size_t kBatchControlCount;

// The list's columns (file, title, output), from the list's left edge; the
// headers stand above them.
extern const PixelRect kBatchColumns[3];

constexpr PixelSize kBatchClient = {560, 384};

}  // namespace wendle
