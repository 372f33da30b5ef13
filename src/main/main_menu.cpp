#include "main/main_menu.h"

#include "main/main_layout.h"

namespace wendle {

HMENU CreateMainMenu() {
    HMENU bar = CreateMenu();
    HMENU popup = nullptr;
    for (std::size_t i = 0; i < kMainMenuCount; ++i) {
        const MenuSpec& m = kMainMenu[i];
        if (m.level == 0) {
            popup = CreatePopupMenu();
            AppendMenuA(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), m.caption);
        } else if (m.caption[0] == '-' && m.caption[1] == '\0') {
            AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuA(popup, MF_STRING | (m.enabled ? MF_ENABLED : MF_GRAYED),
                        static_cast<UINT_PTR>(m.id), m.caption);
        }
    }
    return bar;
}

}  // namespace wendle
