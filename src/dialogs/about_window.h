// The About window: the program's name and version, the encoder version it
// was made for, the copyright line and one button to close it. Created hidden
// once, shown modally as often as asked, never destroyed before the program ends.
#pragma once

#include <windows.h>

#include <string>

#include "win/fonts.h"
#include "win/window.h"

namespace wendle {

class AboutWindow : public Window {
  public:
    AboutWindow() = default;
    ~AboutWindow() override;

    // Creates the window and its controls, hidden, owned by the application
    // window; false, with the system's error, when it or a control could not
    // be made.
    bool Create();
    // Shows the window over the program's other windows, which take no input
    // until it is closed; returns once it is closed and hidden again.
    void ShowModal();
    // Moves the outer top-left corner (screen pixels); the size is kept.
    void MoveTo(int left, int top);

    void SetVersionName(const std::string& caption);
    void SetForVer(const std::string& caption);

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DpiChanged() override;

  private:
    void SetCaption(int controlId, const std::string& caption);
    void AboutWindowCloseClick();
    // False, with the system's error, when a control cannot be made.
    bool CreateControls();
    // For the window's DPI.
    void MakeFonts();
    void CutBevel();
    void OnCommand(int id, int code);
    void EndModal();

    Font fonts_[3];  // character heights 11, 12 and 13
    bool modal_ = false;
    bool closing_ = false;
};

}  // namespace wendle
