#include "win/dropped_files.h"

#include "win/file_system.h"
#include "win/system_library.h"

namespace wendle {

std::wstring FirstDroppedFile(HDROP drop) {
    // Looked up at the drop: importing the shell would slow every start.
    const auto queryFile =
        SystemFunction<decltype(&DragQueryFileW)>("shell32.dll", "DragQueryFileW");
    const auto finish = SystemFunction<decltype(&DragFinish)>("shell32.dll", "DragFinish");
    std::wstring name;
    if (!queryFile || !finish) return name;
    const UINT count = queryFile(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = queryFile(drop, i, nullptr, 0);
        name.assign(length + 1, L'\0');
        name.resize(queryFile(drop, i, &name[0], length + 1));
        if (IsExistingFile(name)) break;
        name.clear();
    }
    finish(drop);
    return name;
}

}  // namespace wendle
