// What a file drop from Explorer carries.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace wendle {

// Every dropped name, as a wide full path, in the drop's order. The drop is
// released in every case, as its receiver must.
std::vector<std::u16string> DroppedNames(HDROP drop);
// Releases a drop that is not taken.
void ReleaseDrop(HDROP drop);

}  // namespace wendle
