#include "win/window_text.h"

namespace wendle {

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, &text[0], length + 1)));
    return text;
}

void DrawLabelText(const DRAWITEMSTRUCT& item, UINT format) {
    RECT r = item.rcItem;
    const std::string text = WindowText(item.hwndItem);
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextA(item.hDC, text.c_str(), static_cast<int>(text.size()), &r,
              format | DT_SINGLELINE | DT_NOPREFIX);
}

void TypeDoubleByteCharacter(HWND edit, unsigned char lead, unsigned char trail) {
    if (GetWindowLongA(edit, GWL_STYLE) & ES_READONLY) return;
    const char character[3] = {static_cast<char>(lead), static_cast<char>(trail), '\0'};
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(character));
}

}  // namespace wendle
