// The folder list: the shown folder with its root and ancestors above it and
// its sub-folders below, each with a folder picture. Every change of the
// shown folder moves the process's current directory there first; nothing
// else the list does (reload, drawing, item paths) touches it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "widgets/owner_drawn_list.h"
#include "win/transparent_picture.h"
#include "core/folder_items.h"

namespace wendle {

class FolderList : public OwnerDrawnList {
  public:
    // Reads the current directory and loads the pictures; no items yet.
    FolderList();
    ~FolderList() override;

    // Creates the list box, builds the items and selects the shown folder. No
    // event. False, with the system's error, when the list box cannot be made.
    bool Create(HWND parent, int id, int x, int y, int width, int height);

    const std::string& Folder() const { return folder_; }
    // Shows another folder and makes it the current directory, then OnChange.
    // The shown folder itself (by the volume's case rule) or an empty text does
    // nothing. Throws IoFailure with everything left as it was.
    void AssignFolder(const std::string& value);

    // The first character of Folder: a letter, or a backslash on a network path.
    char Drive() const { return folder_.empty() ? '\0' : folder_[0]; }
    // Goes to the folder the system keeps current for that drive. The null
    // character means no drive letter: nothing on a network path, a failure
    // (ERROR_INVALID_DRIVE) on a lettered drive.
    void SetDrive(char drive);

    // Reads the sub-folders again and raises OnChange.
    void Reload();
    // The full path an item stands for; empty past the last item.
    std::string ItemPath(int index) const;
    // Goes to the selected item's folder (double-click, Enter).
    void OpenSelected();

    const std::vector<FolderItem>& Items() const { return items_; }
    // Never lower than the pictures' height and 1, which a DPI between the
    // drawn sizes gives.
    void SetItemHeight(int height);
    // The pictures and gaps for the DPI; the font's change that follows
    // measures the items.
    void ScaleTo(int dpi);
    bool CasePreserving() const { return casePreserving_; }
    bool CaseSensitive() const { return caseSensitive_; }

    std::function<void()> OnChange;
    // An item whose name has no path the program can use was opened.
    std::function<void()> OnNameWithoutPath;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawItem(const DRAWITEMSTRUCT& item) const override;
    bool OnNotification(int code) override;

  private:
    // The drive change itself: to the folder the system keeps current there.
    void ChangeDrive(char drive);
    struct Target {
        char drive;
        std::string folderPart;
    };

    void LoadFolderBitmaps();
    void RebuildFolders();
    void NotifyChange();
    Target SplitFolderPath(const std::string& text) const;
    bool SameFolder(const std::string& a, const std::string& b) const;
    void ReadSubFolders();
    std::string ShownText(const FolderItem& item) const;
    void FitItemHeight(HFONT font);
    const TransparentPicture& PictureOf(FolderKind kind) const;

    std::string folder_;
    std::vector<FolderItem> items_;
    bool inFolderAssignment_ = false;
    bool casePreserving_ = true;
    bool caseSensitive_ = false;
    int folderLevel_ = 0;  // of the folder the items were built for
    TransparentPicture open_, closed_, current_;
};

}  // namespace wendle
