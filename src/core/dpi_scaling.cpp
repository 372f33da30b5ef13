#include "core/dpi_scaling.h"

#include <cstdlib>

namespace wendle {

int ScaleToDpi(int designed, int dpi) {
    const long long product = static_cast<long long>(designed) * dpi;
    const long long rounded = (std::llabs(product) + kDesignDpi / 2) / kDesignDpi;
    return static_cast<int>(product < 0 ? -rounded : rounded);
}

PixelRect ScaleToDpi(const PixelRect& designed, int dpi) {
    return {ScaleToDpi(designed.left, dpi), ScaleToDpi(designed.top, dpi),
            ScaleToDpi(designed.width, dpi), ScaleToDpi(designed.height, dpi)};
}

PixelSize ScaleToDpi(PixelSize designed, int dpi) {
    return {ScaleToDpi(designed.width, dpi), ScaleToDpi(designed.height, dpi)};
}

int PictureSizeFor(int dpi) {
    const int needed = ScaleToDpi(kPictureSizes[0], dpi);
    for (int size : kPictureSizes) {
        if (size >= needed) return size;
    }
    return kPictureSizes[sizeof kPictureSizes / sizeof kPictureSizes[0] - 1];
}

PixelRect KeptInside(PixelRect window, const PixelRect& area) {
    if (window.left + window.width > area.left + area.width) {
        window.left = area.left + area.width - window.width;
    }
    if (window.top + window.height > area.top + area.height) {
        window.top = area.top + area.height - window.height;
    }
    if (window.left < area.left) window.left = area.left;
    if (window.top < area.top) window.top = area.top;
    return window;
}

}  // namespace wendle
