// A bitmap resource drawn with its bottom-left pixel's colour transparent, so
// that an item's background (the highlight of a selected item) shows through.
// Each picture is drawn at several sizes: NAME is 16 pixels wide, NAME20,
// NAME24 and NAME32 the others. Its size is known once loaded; its bitmaps
// are made when it is first drawn, so that a picture no item shows costs
// nothing at start-up.
#pragma once

#include <windows.h>

#include <string>

namespace wendle {

class TransparentPicture {
  public:
    TransparentPicture() = default;
    ~TransparentPicture();
    TransparentPicture(const TransparentPicture&) = delete;
    TransparentPicture& operator=(const TransparentPicture&) = delete;

    // Replaces the picture with the size drawn for the DPI (PictureSizeFor).
    // False when the resource is missing or is no bitmap; the picture then
    // draws nothing, as it does when the system cannot make its bitmaps.
    bool Load(HINSTANCE module, const char* name, int dpi);
    void Draw(HDC dc, int x, int y) const;

    bool Loaded() const { return !name_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }

  private:
    void Free();
    // Made once, on the first draw; false when the system could not.
    bool MakeBitmaps() const;

    HINSTANCE module_ = nullptr;
    std::string name_;  // of the resource at the chosen size; empty when none
    int width_ = 0;
    int height_ = 0;
    mutable bool tried_ = false;
    mutable HBITMAP image_ = nullptr;  // transparent pixels made black
    mutable HBITMAP mask_ = nullptr;   // white where the background shows through
};

}  // namespace wendle
