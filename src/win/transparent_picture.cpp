#include "win/transparent_picture.h"

#include <string>

#include "core/dpi_scaling.h"

namespace wendle {

TransparentPicture::~TransparentPicture() {
    Free();
}

void TransparentPicture::Free() {
    if (image_) DeleteObject(image_);
    if (mask_) DeleteObject(mask_);
    image_ = mask_ = nullptr;
    width_ = height_ = 0;
}

bool TransparentPicture::Load(HINSTANCE module, const char* name, int dpi) {
    Free();
    const int size = PictureSizeFor(dpi);
    const std::string sized = size == kPictureSizes[0] ? name : name + std::to_string(size);
    HBITMAP image = LoadBitmapA(module, sized.c_str());
    BITMAP info{};
    if (!image || !GetObjectA(image, sizeof info, &info)) {
        if (image) DeleteObject(image);
        return false;
    }
    const int width = info.bmWidth;
    const int height = info.bmHeight;
    HBITMAP mask = CreateBitmap(width, height, 1, 1, nullptr);
    HDC screen = GetDC(nullptr);
    HDC imageDc = screen ? CreateCompatibleDC(screen) : nullptr;
    HDC maskDc = screen ? CreateCompatibleDC(screen) : nullptr;
    const bool made = mask && imageDc && maskDc;
    if (made) {
        HGDIOBJ oldImage = SelectObject(imageDc, image);
        HGDIOBJ oldMask = SelectObject(maskDc, mask);
        // Colour to monochrome: pixels of the bottom-left colour turn white.
        SetBkColor(imageDc, GetPixel(imageDc, 0, height - 1));
        BitBlt(maskDc, 0, 0, width, height, imageDc, 0, 0, SRCCOPY);
        SetBkColor(imageDc, RGB(255, 255, 255));
        SetTextColor(imageDc, RGB(0, 0, 0));
        BitBlt(imageDc, 0, 0, width, height, maskDc, 0, 0, 0x00220326);  // DSna: black them
        SelectObject(maskDc, oldMask);
        SelectObject(imageDc, oldImage);
    }
    if (maskDc) DeleteDC(maskDc);
    if (imageDc) DeleteDC(imageDc);
    if (screen) ReleaseDC(nullptr, screen);
    if (!made) {
        if (mask) DeleteObject(mask);
        DeleteObject(image);
        return false;
    }
    image_ = image;
    mask_ = mask;
    width_ = width;
    height_ = height;
    return true;
}

void TransparentPicture::Draw(HDC dc, int x, int y) const {
    if (!image_) return;
    HDC memory = CreateCompatibleDC(dc);
    if (!memory) return;
    HGDIOBJ old = SelectObject(memory, mask_);
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, x, y, width_, height_, memory, 0, 0, SRCAND);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
    SelectObject(memory, image_);
    BitBlt(dc, x, y, width_, height_, memory, 0, 0, SRCPAINT);
    SelectObject(memory, old);
    DeleteDC(memory);
}

}  // namespace wendle
