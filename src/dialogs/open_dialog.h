// The file-open dialog for the input WAVE file; it remembers the last choice.
#pragma once

#include <windows.h>

#include <string>

namespace wendle {

class OpenDialog {
  public:
    // Shows the system's open-file dialog modally, its name box holding the
    // previous choice. True and the chosen full path on the open button;
    // false, with the previous path kept, on cancel or close. The system is
    // left to change the current directory to the chosen file's folder.
    bool Execute(HWND owner);
    // Wide, as the system gave it: the caller makes the program's path of it.
    const std::u16string& FileName() const { return fileName_; }
    // A file taken otherwise (a drop, the command line) becomes the previous choice.
    void SetFileName(const std::u16string& name) { fileName_ = name; }

  private:
    std::u16string fileName_;
};

}  // namespace wendle
