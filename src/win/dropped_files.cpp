#include "win/dropped_files.h"

#include "win/system_library.h"
#include "win/system_names.h"

namespace wendle {

std::vector<std::u16string> DroppedNames(HDROP drop) {
    // Looked up at the drop: importing the shell would slow every start.
    const auto queryFile =
        SystemFunction<decltype(&DragQueryFileW)>("shell32.dll", "DragQueryFileW");
    const auto finish = SystemFunction<decltype(&DragFinish)>("shell32.dll", "DragFinish");
    std::vector<std::u16string> names;
    if (!queryFile || !finish) return names;
    struct Release {
        decltype(finish) function;
        HDROP drop;
        ~Release() { function(drop); }
    } release{finish, drop};
    const UINT count = queryFile(drop, 0xFFFFFFFF, nullptr, 0);
    names.reserve(count);
    for (UINT i = 0; i < count; ++i) {
        std::vector<wchar_t> buffer(queryFile(drop, i, nullptr, 0) + 1);
        const UINT length = queryFile(drop, i, buffer.data(), static_cast<UINT>(buffer.size()));
        names.push_back(FromWide(buffer.data(), length));
    }
    return names;
}

void ReleaseDrop(HDROP drop) {
    if (const auto finish = SystemFunction<decltype(&DragFinish)>("shell32.dll", "DragFinish")) {
        finish(drop);
    }
}

}  // namespace wendle
