#include "win/fonts.h"

#include <cstddef>
#include <cstring>

#include "win/dpi.h"

namespace wendle {

LOGFONTA PGothicFont(int pixelHeight) {
    LOGFONTA font{};
    font.lfHeight = -pixelHeight;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpynA(font.lfFaceName, "ＭＳ Ｐゴシック", LF_FACESIZE);
    return font;
}

LOGFONTA MessageFont(int dpi) {
    NONCLIENTMETRICSA metrics{};
    // The size without Vista's padded border, which every version accepts.
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA);
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    // Given at the system's DPI, as it was when the user signed in.
    const int system = SystemDpi();
    if (dpi != system) {
        metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, system);
    }
    return metrics.lfMessageFont;
}

ScreenMeasure::ScreenMeasure(HFONT font)
    : dc_(GetDC(nullptr)),
      previous_(SelectObject(dc_, font ? font : GetStockObject(SYSTEM_FONT))) {}

ScreenMeasure::~ScreenMeasure() {
    SelectObject(dc_, previous_);
    ReleaseDC(nullptr, dc_);
}

int ScreenMeasure::CellHeight() const {
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc_, &metrics);
    return metrics.tmHeight;
}

void ScreenMeasure::MeasureLetters(int* charWidth, int* lineHeight) const {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE letters{};
    GetTextExtentPointA(dc_, kLetters, 52, &letters);
    *charWidth = letters.cx / 52;
    *lineHeight = letters.cy;
}

SIZE ScreenMeasure::TextSize(const std::string& text, UINT format, int width) const {
    RECT box{0, 0, width, 0};
    DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &box, format | DT_CALCRECT);
    return {box.right - box.left, box.bottom - box.top};
}

int ScreenMeasure::TextWidth(const char* text) const {
    SIZE size{};
    GetTextExtentPointA(dc_, text, static_cast<int>(std::strlen(text)), &size);
    return size.cx;
}

}  // namespace wendle
