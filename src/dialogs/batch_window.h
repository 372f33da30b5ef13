// The look before a batch runs: each file in order with its title and output
// name, the output folder, the bit rate and what was left out; 開始 or
// キャンセル. Modal over the main window; nothing runs before 開始.
#pragma once

#include <string>
#include <vector>

#include "core/batch_plan.h"

namespace wendle {

struct BatchView {
    const std::vector<BatchFile>& files;
    const std::string& outputFolder;
    const char* bitrate;  // as the main window's list shows it
    const std::string& leftOut;
};

// True for 開始; Esc, the close box and キャンセル answer false.
bool ShowBatchWindow(const BatchView& view);

}  // namespace wendle
