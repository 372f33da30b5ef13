// The main window: the input, tag, bit-rate and output fields and the start
// button. Handlers are named after the control and the event.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>
#include <vector>
#include <string>

#include "core/command_line.h"
#include "core/wave_tags.h"
#include "main/encode_job.h"
#include "dialogs/about_window.h"
#include "widgets/animator.h"
#include "win/fonts.h"
#include "win/window.h"
#include "widgets/folder_list.h"
#include "widgets/drive_chooser.h"
#include "win/system_drives.h"
#include "widgets/file_name_edit.h"
#include "dialogs/open_dialog.h"

namespace wendle {

class MainWindow : public Window {
  public:
    // `drives` answers the drive chooser's queries; it lives as long as the program.
    explicit MainWindow(DriveQueries& drives = SystemDrives()) : driveChooser_(drives) {}
    ~MainWindow() override;

    // Creates the window with its controls, runs FormCreate and shows it;
    // false, with the system's error, when it or a control could not be made.
    bool Create();

    HWND Control(int id) const { return GetDlgItem(Handle(), id); }
    std::string Text(int id) const;
    // Setting a field to its present text does nothing; a different text
    // changes it and runs the field's change handler before returning.
    void SetText(int id, const std::string& text);

    // In main_window.cpp, with the window's making and its messages.
    void FormCreate();
    // The job's own unit (encode_job.h) runs with the window's fields.
    void StartEncodeClick();
    // The About window lives as long as this one; it is made after it.
    void SetAboutWindow(AboutWindow* about) { aboutWindow_ = about; }

    // The field rules and the other handlers, in field_rules.cpp.
    void InputFileNameChange();
    void OutputFileNameChange();
    void FolderListChange();
    void DriveChooserChange();
    void ProgramExitClick();
    void InputFileOpenClick();
    // The file named on the command line, as a full wide path: the input
    // when it exists, else reported over the shown window.
    void StartWithInputFile(const std::u16string& path);
    // Several names, from a drop, the open dialog or the command line, as
    // full wide paths: the look before the batch, then the batch
    // (batch_start.cpp). Of dropped names, two or more files or any folder
    // are a batch, one file the input; of arguments, two or more files or
    // folders are a batch, else the first is the input.
    void StartBatch(const std::vector<std::u16string>& names);
    void TakeDroppedNames(const std::vector<std::u16string>& names);
    void StartWithInputFiles(const std::vector<std::u16string>& paths);
    void NewDirectoryClick();
    void AboutMenuClick();

    // The encoder path and the last command line, program state of its own.
    const EncodeJob& Job() const { return job_; }
    EncodeJob& Job() { return job_; }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DpiChanged() override;

  private:
    // False, with the system's error, at the first control that cannot be made.
    bool CreateControls();
    // The designed client size at the window's DPI; at the start, with the
    // window moved inside the work area.
    void FitClientArea(bool keepInWorkArea);
    void MakeFont();
    // The lists' item heights at the window's DPI.
    void ScaleLists();
    void OnCommand(int id, int code);
    void OnFieldChanged(int id);
    void SetStartControlsEnabled(bool enabled);
    // The input as a choice in the open dialog sets it, with what follows;
    // a name with no path the program can use is refused with a dialog
    // (field_rules.cpp).
    void TakeInputFile(const std::u16string& path);
    // Each tag field that is empty or still holds what the previous input
    // put there takes the new input's tag; a typed text stays.
    void FillTagFields(const WaveTags& tags);
    EncodeFields Fields() const;

    Font font_;
    // Both read the current directory when the window object is made.
    DriveChooser driveChooser_;
    FolderList folderList_;
    OpenDialog openDialog_;
    FileNameEdit outputFileNameEdit_;
    // Made with the window object, before the window: it takes over the
    // application window as the first form's animator.
    Animator animator_{*this};
    AboutWindow* aboutWindow_ = nullptr;
    // The last text each change handler saw, so it runs only on a real change.
    // A list, not a map: a handful of fields, and no tree code in the program.
    std::vector<std::pair<int, std::string>> seenText_;
    int settingId_ = 0;
    // The input taken last and the output name made from its long name: the
    // input field shows a short name where the code page cannot write one.
    std::string takenInput_;
    std::string takenOutputName_;
    // The taken input's tags (date, genre and track go to the encoder as
    // they are) and what of them the tag fields took.
    WaveTags inputTags_;
    WaveTags filledTags_;
    EncodeJob job_;
};

}  // namespace wendle
