// The drive chooser: a drop-down list of the system's drives, each with the
// picture of its kind and its label or network name, holding one drive letter.
// It never changes the current directory; it reads it once, when constructed.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "win/control.h"
#include "win/transparent_picture.h"
#include "core/drive_items.h"

namespace wendle {

class DriveChooser : public Control {
  public:
    // Takes the drive of the process's current directory; reads no drives yet.
    DriveChooser();
    // The same for a given current directory.
    explicit DriveChooser(const std::string& currentDirectory);
    ~DriveChooser() override;

    // Creates the window, lists the drives and selects Drive (raising OnChange).
    // The closed height follows the item height, as the system sizes it.
    void Create(HWND parent, int id, int x, int y, int width);

    // The chosen letter, or the null character for none.
    char Drive() const { return drive_; }
    // Selects the drive's item and raises OnChange, unless the same drive in
    // another case is already selected; the null character selects nothing.
    void SetDrive(char ch);

    LetterCase TextCase() const { return textCase_; }
    // Relists the drives in the new case and sets Drive again (raising OnChange).
    void SetTextCase(LetterCase textCase);

    // Reads the drives again; selects nothing.
    virtual void RebuildDrives();

    int ItemHeight() const { return itemHeight_; }

    std::function<void()> OnChange;  // the drive was set, and again after a pick
    std::function<void()> OnClick;   // the user picked an item

    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void LoadPictures();
    HFONT Font() const;
    void MeasureItems();
    void SizeDroppedList();
    std::string ItemText(LRESULT index) const;
    void Click();
    void Change();
    void DrawItem(const DRAWITEMSTRUCT& item) const;

    char drive_ = '\0';
    LetterCase textCase_ = kLowerCase;
    int itemHeight_ = 0;
    HFONT font_ = nullptr;  // the font last set, not owned
    TransparentPicture pictures_[kDrivePictureCount];
};

}  // namespace wendle
