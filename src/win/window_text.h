// A window's text: read whole, typed into an edit, and drawn for an
// owner-drawn label.
#pragma once

#include <windows.h>

#include <string>

namespace wendle {

std::string WindowText(HWND window);

// Types one double-byte character into an edit as text: the ANSI edit would
// convert its lead and trail bytes one at a time. A read-only edit takes none.
void TypeDoubleByteCharacter(HWND edit, unsigned char lead, unsigned char trail);

// Paints an owner-drawn label: the face colour, then its text in one line
// without prefixes, placed by `format` (DrawTextA's alignment flags).
void DrawLabelText(const DRAWITEMSTRUCT& item, UINT format);

}  // namespace wendle
