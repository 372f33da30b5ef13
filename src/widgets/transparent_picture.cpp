#include "widgets/transparent_picture.h"

namespace wendle {

TransparentPicture::~TransparentPicture() {
    if (image_) DeleteObject(image_);
    if (mask_) DeleteObject(mask_);
}

bool TransparentPicture::Load(HINSTANCE module, const char* name) {
    image_ = LoadBitmapA(module, name);
    BITMAP info{};
    if (!image_ || !GetObjectA(image_, sizeof info, &info)) return false;
    width_ = info.bmWidth;
    height_ = info.bmHeight;
    mask_ = CreateBitmap(width_, height_, 1, 1, nullptr);
    HDC screen = GetDC(nullptr);
    HDC imageDc = CreateCompatibleDC(screen);
    HDC maskDc = CreateCompatibleDC(screen);
    HGDIOBJ oldImage = SelectObject(imageDc, image_);
    HGDIOBJ oldMask = SelectObject(maskDc, mask_);
    // Colour to monochrome: pixels of the bottom-left colour turn white.
    SetBkColor(imageDc, GetPixel(imageDc, 0, height_ - 1));
    BitBlt(maskDc, 0, 0, width_, height_, imageDc, 0, 0, SRCCOPY);
    SetBkColor(imageDc, RGB(255, 255, 255));
    SetTextColor(imageDc, RGB(0, 0, 0));
    BitBlt(imageDc, 0, 0, width_, height_, maskDc, 0, 0, 0x00220326);  // DSna: black them
    SelectObject(maskDc, oldMask);
    SelectObject(imageDc, oldImage);
    DeleteDC(maskDc);
    DeleteDC(imageDc);
    ReleaseDC(nullptr, screen);
    return true;
}

void TransparentPicture::Draw(HDC dc, int x, int y) const {
    if (!image_) return;
    HDC memory = CreateCompatibleDC(dc);
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
