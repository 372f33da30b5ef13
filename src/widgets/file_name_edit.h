// An edit that takes a file name, never a path: characters a name cannot hold
// are dropped with the default beep when typed and left out of a paste.
#pragma once

#include <windows.h>

#include "win/window.h"

namespace wendle {

class FileNameEdit : public Window {
  public:
    // Takes over an existing edit control.
    void Bind(HWND edit) { Attach(edit); }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void Paste();
};

}  // namespace wendle
