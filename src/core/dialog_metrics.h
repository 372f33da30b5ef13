// The message and prompt dialogs' layouts in pixels, from the font's measures and the
// measured message; no window is needed to compute it.
#pragma once

#include <vector>

#include "core/dpi_scaling.h"

namespace wendle {

// Size of the standard icons the dialog shows, at 96 DPI.
constexpr int kMessageIconSize = 32;

struct MessageLayoutInput {
    int charWidth = 0;               // width of "A".."Z" "a".."z" in one line / 52
    int lineHeight = 0;              // height of that line
    PixelSize text;                  // the message measured word-wrapped
    std::vector<int> captionWidths;  // one per button shown, left to right
    PixelSize screen;
    PixelSize frame;                  // outer size minus client size
    int x = -1;                       // requested outer left; negative keeps it centred
    int y = -1;                       // requested outer top; negative keeps it centred
    int iconSize = kMessageIconSize;  // at the dialog's DPI
};

struct MessageLayout {
    PixelSize client;
    PixelRect icon;
    PixelRect text;
    std::vector<PixelRect> buttons;  // left to right
    int left = 0;                    // outer top-left on the screen
    int top = 0;
};

MessageLayout LayoutMessageDialog(const MessageLayoutInput& in);

struct PromptLayoutInput {
    int charWidth = 0;  // as for the message dialog, in the application's default font
    int lineHeight = 0;
    PixelSize prompt;  // the prompt measured in one line
    PixelSize screen;
    PixelSize frame;  // outer size minus client size
};

struct PromptLayout {
    PixelSize client;
    PixelRect prompt;
    PixelRect edit;
    PixelRect ok;
    PixelRect cancel;
    int left = 0;  // outer top-left on the screen
    int top = 0;
};

PromptLayout LayoutPromptDialog(const PromptLayoutInput& in);

}  // namespace wendle
