// What a file drop from Explorer carries.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace wendle {

// The first dropped name that is an existing file, as a wide full path;
// empty when none is. The drop is released in every case, as its receiver must.
std::u16string FirstDroppedFile(HDROP drop);
// Releases a drop that is not taken.
void ReleaseDrop(HDROP drop);

}  // namespace wendle
