// The WAVE files that a drop, a selection or the command line names: each
// file named, and the files directly inside each folder named.
#pragma once

#include <string>
#include <vector>

#include "core/batch_plan.h"

namespace wendle {

struct BatchInputs {
    std::vector<BatchSource> sources;  // each file once, in the order named
    LeftOut leftOut;
};

// Names are full wide paths. Hidden and system files inside a folder, which
// Explorer does not show, are passed over; each file is read for its tags.
BatchInputs FindBatchInputs(const std::vector<std::u16string>& names);

// How many of the names are files or folders that are there.
std::size_t ExistingEntries(const std::vector<std::u16string>& names, bool* anyFolder);

}  // namespace wendle
