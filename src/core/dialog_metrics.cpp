#include "core/dialog_metrics.h"

#include <algorithm>
#include <cstdlib>

namespace wendle {

namespace {

// n * unit / d to the nearest integer, halves away from zero, as MulDiv does.
int ScaleRounded(int n, int unit, int d) {
    const long long product = static_cast<long long>(n) * unit;
    const long long rounded = (std::llabs(product) + d / 2) / d;
    return static_cast<int>(product < 0 ? -rounded : rounded);
}

}  // namespace

MessageLayout LayoutMessageDialog(const MessageLayoutInput& in) {
    const int w = in.charWidth;
    const int h = in.lineHeight;
    const int marginX = ScaleRounded(8, w, 4);
    const int marginY = ScaleRounded(8, h, 8);
    const int spacingX = ScaleRounded(10, w, 4);
    const int spacingY = ScaleRounded(10, h, 8);
    const int buttonHeight = ScaleRounded(14, h, 8);
    const int buttonSpacing = ScaleRounded(4, w, 4);

    int buttonWidth = ScaleRounded(50, w, 4);
    for (int caption : in.captionWidths) buttonWidth = std::max(buttonWidth, caption + 8);

    const int bodyWidth = in.text.width + in.iconSize + spacingX;
    const int bodyHeight = std::max(in.text.height, in.iconSize);
    const int count = static_cast<int>(in.captionWidths.size());
    const int rowWidth = count > 0 ? count * buttonWidth + (count - 1) * buttonSpacing : 0;

    MessageLayout out;
    out.client.width = std::max(bodyWidth, rowWidth) + 2 * marginX;
    out.client.height = bodyHeight + spacingY + buttonHeight + 2 * marginY;
    out.icon = {marginX, marginY, in.iconSize, in.iconSize};
    out.text = {bodyWidth + marginX - in.text.width, marginY, in.text.width, in.text.height};

    const int buttonTop = bodyHeight + marginY + spacingY;
    int left = (out.client.width - rowWidth) / 2;
    for (int i = 0; i < count; ++i) {
        out.buttons.push_back({left, buttonTop, buttonWidth, buttonHeight});
        left += buttonWidth + buttonSpacing;
    }

    const int outerWidth = out.client.width + in.frame.width;
    const int outerHeight = out.client.height + in.frame.height;
    out.left = in.x >= 0 ? in.x : in.screen.width / 2 - outerWidth / 2;
    out.top = in.y >= 0 ? in.y : in.screen.height / 2 - outerHeight / 2;
    return out;
}

PromptLayout LayoutPromptDialog(const PromptLayoutInput& in) {
    const int w = in.charWidth;
    const int h = in.lineHeight;
    const int left = ScaleRounded(8, w, 4);
    const int buttonTop = ScaleRounded(41, h, 8);
    const int buttonWidth = ScaleRounded(50, w, 4);
    const int buttonHeight = ScaleRounded(14, h, 8);

    PromptLayout out;
    out.client = {ScaleRounded(180, w, 4), ScaleRounded(63, h, 8)};
    out.prompt = {left, ScaleRounded(8, h, 8), in.prompt.width, in.prompt.height};
    // The edit's height is not given; a text box as tall as the buttons.
    out.edit = {left, ScaleRounded(19, h, 8), ScaleRounded(164, w, 4), buttonHeight};
    out.ok = {ScaleRounded(38, w, 4), buttonTop, buttonWidth, buttonHeight};
    out.cancel = {ScaleRounded(92, w, 4), buttonTop, buttonWidth, buttonHeight};
    out.left = (in.screen.width - (out.client.width + in.frame.width)) / 2;
    out.top = (in.screen.height - (out.client.height + in.frame.height)) / 2;
    return out;
}

}  // namespace wendle
