// Fonts: the one way the program makes them, and measures text in them.
#pragma once

#include <windows.h>

#include <string>

namespace wendle {

// The face the program's windows are designed in, a character cell height
// in pixels, normal weight, Shift-JIS.
LOGFONTA PGothicFont(int pixelHeight);
// The system's message font, the dialogs' font, at a DPI.
LOGFONTA MessageFont(int dpi);

// A font the object owns; null until one is made.
class Font {
  public:
    Font() = default;
    explicit Font(const LOGFONTA& font) : handle_(CreateFontIndirectA(&font)) {}
    ~Font() { Free(); }
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    Font& operator=(Font&& other) noexcept {
        Free();
        handle_ = other.handle_;
        other.handle_ = nullptr;
        return *this;
    }
    Font(Font&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }

    HFONT Handle() const { return handle_; }

  private:
    void Free() {
        if (handle_) DeleteObject(handle_);
        handle_ = nullptr;
    }

    HFONT handle_ = nullptr;
};

// A font selected into a screen context for measuring; a null font measures
// in the system font, as a control without a font of its own draws.
class ScreenMeasure {
  public:
    explicit ScreenMeasure(HFONT font);
    ~ScreenMeasure();
    ScreenMeasure(const ScreenMeasure&) = delete;
    ScreenMeasure& operator=(const ScreenMeasure&) = delete;

    // The character cell's height.
    int CellHeight() const;
    // The dialog measures: the width of "A".."Z" "a".."z" in one line / 52, and its height.
    void MeasureLetters(int* charWidth, int* lineHeight) const;
    // DrawTextA's rectangle for the text, DT_CALCRECT added, starting `width` wide.
    SIZE TextSize(const std::string& text, UINT format, int width = 0) const;
    int TextWidth(const char* text) const;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace wendle
