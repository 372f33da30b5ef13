// A bitmap resource drawn with its bottom-left pixel's colour transparent, so
// that an item's background (the highlight of a selected item) shows through.
// Each picture is drawn at several sizes: NAME is 16 pixels wide, NAME20,
// NAME24 and NAME32 the others.
#pragma once

#include <windows.h>

namespace wendle {

class TransparentPicture {
  public:
    TransparentPicture() = default;
    ~TransparentPicture();
    TransparentPicture(const TransparentPicture&) = delete;
    TransparentPicture& operator=(const TransparentPicture&) = delete;

    // Replaces the picture with the size drawn for the DPI (PictureSizeFor).
    // False when the resource is missing or the system could not make its
    // bitmaps; the picture then draws nothing.
    bool Load(HINSTANCE module, const char* name, int dpi);
    void Draw(HDC dc, int x, int y) const;

    bool Loaded() const { return image_ != nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }

  private:
    void Free();

    HBITMAP image_ = nullptr;  // transparent pixels made black
    HBITMAP mask_ = nullptr;   // white where the background shows through
    int width_ = 0;
    int height_ = 0;
};

}  // namespace wendle
