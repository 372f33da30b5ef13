#include "win/dropped_files.h"

#include "win/file_system.h"
#include "win/system_library.h"
#include "win/system_names.h"

namespace wendle {

std::u16string FirstDroppedFile(HDROP drop) {
    // Looked up at the drop: importing the shell would slow every start.
    const auto queryFile =
        SystemFunction<decltype(&DragQueryFileW)>("shell32.dll", "DragQueryFileW");
    const auto finish = SystemFunction<decltype(&DragFinish)>("shell32.dll", "DragFinish");
    std::u16string name;
    if (!queryFile || !finish) return name;
    const UINT count = queryFile(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::vector<wchar_t> buffer(queryFile(drop, i, nullptr, 0) + 1);
        const UINT length = queryFile(drop, i, buffer.data(), static_cast<UINT>(buffer.size()));
        name = FromWide(buffer.data(), length);
        if (IsExistingFile(name)) break;
        name.clear();
    }
    finish(drop);
    return name;
}

void ReleaseDrop(HDROP drop) {
    if (const auto finish = SystemFunction<decltype(&DragFinish)>("shell32.dll", "DragFinish")) {
        finish(drop);
    }
}

}  // namespace wendle
