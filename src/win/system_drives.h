// The drive queries answered by the system.
#pragma once

#include "core/drive_items.h"

namespace wendle {

// Lives as long as the program; its questions may be asked from any thread.
DriveQueries& SystemDrives();

}  // namespace wendle
