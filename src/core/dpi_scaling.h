// Layouts are designed at 96 pixels per inch; a window shows them at its own
// DPI. Every designed length goes through ScaleToDpi, so that a layout scales
// the same way in every window.
#pragma once

namespace wendle {

struct PixelSize {
    int width = 0;
    int height = 0;
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

constexpr int kDesignDpi = 96;

// designed * dpi / 96 to the nearest integer, halves away from zero, as
// MulDiv rounds.
int ScaleToDpi(int designed, int dpi);
// Each of the four numbers on its own, as the layouts give them.
PixelRect ScaleToDpi(const PixelRect& designed, int dpi);
PixelSize ScaleToDpi(PixelSize designed, int dpi);

// The sizes the pictures are drawn at (the 16-pixel one is the design's).
constexpr int kPictureSizes[] = {16, 20, 24, 32};
// The smallest drawn size at least as wide as a 16-pixel picture at this
// DPI, else the largest: a picture is shown as drawn, never stretched.
int PictureSizeFor(int dpi);

// The rectangle moved, not resized, so that it lies inside the area as far
// as it can; its left and top edges win when it is larger.
PixelRect KeptInside(PixelRect window, const PixelRect& area);

}  // namespace wendle
