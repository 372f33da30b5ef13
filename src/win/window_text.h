// A window's text: read whole, and drawn for an owner-drawn label.
#pragma once

#include <windows.h>

#include <string>

namespace wendle {

std::string WindowText(HWND window);

// Paints an owner-drawn label: the face colour, then its text in one line
// without prefixes, placed by `format` (DrawTextA's alignment flags).
void DrawLabelText(const DRAWITEMSTRUCT& item, UINT format);

}  // namespace wendle
