// The file-open dialog for the input WAVE file, or several; it remembers the
// last choice.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace wendle {

class OpenDialog {
  public:
    // Shows the system's open-file dialog modally, its name box holding the
    // previous choice. True and the chosen full paths on the open button;
    // false, with the previous path kept, on cancel or close. The system is
    // left to change the current directory to the chosen files' folder.
    bool Execute(HWND owner);
    // Wide, as the system gave it: the caller makes the program's path of it.
    // Of several chosen, the first.
    const std::u16string& FileName() const { return fileName_; }
    // Every file chosen the last time, in the dialog's order; one for one.
    const std::vector<std::u16string>& FileNames() const { return fileNames_; }
    // A file taken otherwise (a drop, the command line) becomes the previous choice.
    void SetFileName(const std::u16string& name) { fileName_ = name; }

  private:
    std::u16string fileName_;
    std::vector<std::u16string> fileNames_;
};

}  // namespace wendle
