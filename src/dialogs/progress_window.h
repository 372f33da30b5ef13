// The window shown while the encoder runs: what is encoded, how far it is,
// how long it has taken, and the button that stops it. Made for one job and
// destroyed with it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "core/encoder_progress.h"
#include "win/fonts.h"
#include "win/window.h"

namespace wendle {

class ProgressWindow : public Window {
  public:
    ProgressWindow() = default;
    ~ProgressWindow() override;

    // Shows the window, owned by the application window, with its outer
    // top-left corner at (left, top) as far as the work area allows; false,
    // with the system's error, when it could not be made.
    bool Create(int left, int top, const std::string& inputName, const std::string& outputName);
    void Show(const EncoderProgress& progress, long elapsedSeconds);
    // A batch's two lines in place of the input's and the output's names:
    // the files running, and how many are done of all.
    void ShowFiles(const std::string& running, const std::string& done);
    // Esc and the keyboard among its controls; true when the message was its
    // own. Enter and Space stop the job only when pressed and released here.
    bool TakeDialogMessage(MSG& msg);

    // The button, Esc, the close box and Alt+F4.
    std::function<void()> OnStop;
    // Windows ends the session: whatever must be put right is done before
    // this returns, for the process ends soon after.
    std::function<void()> OnEndSession;
    // Every quarter second, also while the window is moved or its menu is
    // open, when the system's own loop runs instead of the job's.
    std::function<void()> OnTick;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DpiChanged() override;

  private:
    // Places the controls (makes them first, when asked) for the font and
    // the DPI; the client size they take, also before the window exists.
    PixelSize LayOut(bool makeControls);
    void SetLabel(int id, const std::string& text);
    void DrawBar(const DRAWITEMSTRUCT& item) const;
    void Stop();

    Font font_;
    int tenths_ = -1;
    bool enterDown_ = false;
    class TaskbarProgress* taskbar_ = nullptr;
};

}  // namespace wendle
