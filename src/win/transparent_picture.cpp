#include "win/transparent_picture.h"

#include <cstdlib>

#include "core/dpi_scaling.h"

namespace wendle {

namespace {

// The size a bitmap resource's header gives, read without making a bitmap.
bool BitmapResourceSize(HINSTANCE module, const char* name, int* width, int* height) {
    HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(2));  // RT_BITMAP
    HGLOBAL data = found ? LoadResource(module, found) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    const DWORD size = found ? SizeofResource(module, found) : 0;
    if (!bytes || size < sizeof(BITMAPCOREHEADER)) return false;
    const auto* core = static_cast<const BITMAPCOREHEADER*>(bytes);
    if (core->bcSize == sizeof(BITMAPCOREHEADER)) {
        *width = core->bcWidth;
        *height = core->bcHeight;
    } else if (core->bcSize >= sizeof(BITMAPINFOHEADER) && size >= sizeof(BITMAPINFOHEADER)) {
        const auto* info = static_cast<const BITMAPINFOHEADER*>(bytes);
        *width = static_cast<int>(info->biWidth);
        *height = std::abs(static_cast<int>(info->biHeight));  // negative: drawn top-down
    } else {
        return false;
    }
    return *width > 0 && *height > 0;
}

}  // namespace

TransparentPicture::~TransparentPicture() {
    Free();
}

void TransparentPicture::Free() {
    if (image_) DeleteObject(image_);
    if (mask_) DeleteObject(mask_);
    image_ = mask_ = nullptr;
    tried_ = false;
    module_ = nullptr;
    name_.clear();
    width_ = height_ = 0;
}

bool TransparentPicture::Load(HINSTANCE module, const char* name, int dpi) {
    Free();
    const int size = PictureSizeFor(dpi);
    const std::string sized = size == kPictureSizes[0] ? name : name + std::to_string(size);
    int width = 0;
    int height = 0;
    if (!BitmapResourceSize(module, sized.c_str(), &width, &height)) return false;
    module_ = module;
    name_ = sized;
    width_ = width;
    height_ = height;
    return true;
}

bool TransparentPicture::MakeBitmaps() const {
    if (tried_) return image_ != nullptr;
    tried_ = true;
    if (name_.empty()) return false;
    HBITMAP image = LoadBitmapA(module_, name_.c_str());
    if (!image) return false;
    HBITMAP mask = CreateBitmap(width_, height_, 1, 1, nullptr);
    // Memory DCs like the screen's: no trip to the display for its DC.
    HDC imageDc = CreateCompatibleDC(nullptr);
    HDC maskDc = CreateCompatibleDC(nullptr);
    const bool made = mask && imageDc && maskDc;
    if (made) {
        HGDIOBJ oldImage = SelectObject(imageDc, image);
        HGDIOBJ oldMask = SelectObject(maskDc, mask);
        // Colour to monochrome: pixels of the bottom-left colour turn white.
        SetBkColor(imageDc, GetPixel(imageDc, 0, height_ - 1));
        BitBlt(maskDc, 0, 0, width_, height_, imageDc, 0, 0, SRCCOPY);
        SetBkColor(imageDc, RGB(255, 255, 255));
        SetTextColor(imageDc, RGB(0, 0, 0));
        BitBlt(imageDc, 0, 0, width_, height_, maskDc, 0, 0, 0x00220326);  // DSna: black them
        SelectObject(maskDc, oldMask);
        SelectObject(imageDc, oldImage);
    }
    if (maskDc) DeleteDC(maskDc);
    if (imageDc) DeleteDC(imageDc);
    if (!made) {
        if (mask) DeleteObject(mask);
        DeleteObject(image);
        return false;
    }
    image_ = image;
    mask_ = mask;
    return true;
}

void TransparentPicture::Draw(HDC dc, int x, int y) const {
    if (!MakeBitmaps()) return;
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
