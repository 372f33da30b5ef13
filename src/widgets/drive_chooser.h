// The drive chooser: a drop-down list of the system's drives, each with the
// picture of its kind and its label or network name, holding one drive letter.
// It never changes the current directory; it reads it once, when constructed.
// The items are made at once with their letters; labels and network names,
// which may wait for a drive, are read off the window's thread and each
// item's text becomes full when its answer comes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "widgets/owner_drawn_list.h"
#include "win/drive_text_reader.h"
#include "win/system_drives.h"
#include "win/transparent_picture.h"
#include "core/drive_items.h"

namespace wendle {

class DriveChooser : public OwnerDrawnList {
  public:
    // Takes the drive of the process's current directory; reads no drives
    // yet. `system` answers the drive queries and lives as long as the program.
    explicit DriveChooser(DriveQueries& system = SystemDrives());
    // The same for a given current directory.
    explicit DriveChooser(const std::string& currentDirectory,
                          DriveQueries& system = SystemDrives());
    ~DriveChooser() override;

    // Creates the window, lists the drives and selects Drive (raising OnChange);
    // their full texts come later.
    // The closed height follows the item height, as the system sizes it.
    // False, with the system's error, when the window cannot be made.
    bool Create(HWND parent, int id, int x, int y, int width);

    // The chosen letter, or the null character for none.
    char Drive() const { return drive_; }
    // Selects the drive's item and raises OnChange, unless the same drive in
    // another case is already selected; the null character selects nothing.
    void SetDrive(char ch);

    // Relists the drives in the new case and sets Drive again (raising OnChange).
    void SetTextCase(LetterCase textCase);
    // The pictures, gaps and item height for the DPI.
    void ScaleTo(int dpi);

    std::function<void()> OnChange;  // the drive was set, and again after a pick

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawItem(const DRAWITEMSTRUCT& item) const override;
    bool OnNotification(int code) override;

  private:
    void LoadPictures();
    // Lists the drives again and starts reading their full texts; selects nothing.
    void RebuildDrives();
    // A full text has come from the reader.
    void ShowFullText(WPARAM wParam, LPARAM lParam);
    // The item height, told the window if it exists; the caller sizes the
    // dropped list, once for the items it will hold: resizing a drop-down
    // list is a trip to the display.
    void MeasureItems();
    void SizeDroppedList();
    std::string ItemText(LRESULT index) const;
    void Click();
    void Change();

    DriveQueries& system_;
    DriveTextReader texts_;
    char drive_ = '\0';
    LetterCase textCase_ = kLowerCase;
    HFONT font_ = nullptr;  // the font last set, not owned
    TransparentPicture pictures_[kDrivePictureCount];
};

}  // namespace wendle
