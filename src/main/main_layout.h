// The main window's controls as one table that reads like the window itself.
#pragma once

#include <cstddef>

#include "core/dpi_scaling.h"

namespace wendle {

enum class ControlKind { Label, Frame, Edit, Button, DropDownList, DriveChooser, FolderList };

enum ControlProperty : unsigned {
    kNone = 0,
    kAlignRight = 1u << 0,
    kAlignBottom = 1u << 1,  // text at the bottom edge instead of centred
    kReadOnly = 1u << 2,
    kDisabled = 1u << 3,
    kRaisedBox = 1u << 4,    // lit top and left, shadowed bottom and right
    kRaisedFrame = 1u << 5,  // double embossed outline
};

// Places and sizes are pixels at 96 DPI (Window::Scaled shows them at the window's).
struct ControlSpec {
    int id;
    ControlKind kind;
    PixelRect at;
    const char* caption;
    unsigned properties;
    int tabOrder;  // -1 for controls that take no focus
};

// In creation order; the windowed controls are created in tab order.
extern const ControlSpec kMainControls[];
extern const std::size_t kMainControlCount;

// The menu bar: level 0 opens a submenu, level 1 is an item of the last one;
// "-" is a separator line.
struct MenuSpec {
    int id;
    const char* caption;
    int level;
    bool enabled;
};

extern const MenuSpec kMainMenu[];
extern const std::size_t kMainMenuCount;

const int kBitrateItemHeight = 12;
const int kFolderItemHeight = 16;
const int kFontHeight = 12;
// The closed bit-rate list's window is this much taller: its dropped list.
const int kBitrateDroppedHeight = 160;

constexpr int kMainClientWidth = 473;
constexpr int kMainClientHeight = 441;
constexpr int kMainLeft = 233;
constexpr int kMainTop = 132;

}  // namespace wendle
