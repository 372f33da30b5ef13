#include "core/dialog_metrics.h"

#include <gtest/gtest.h>

namespace wendle {
namespace {

void ExpectRect(const PixelRect& expected, const PixelRect& got) {
    EXPECT_EQ(expected.left, got.left);
    EXPECT_EQ(expected.top, got.top);
    EXPECT_EQ(expected.width, got.width);
    EXPECT_EQ(expected.height, got.height);
}

MessageLayoutInput Input(int w, int h, PixelSize text, std::vector<int> captions) {
    MessageLayoutInput in;
    in.charWidth = w;
    in.lineHeight = h;
    in.text = text;
    in.captionWidths = std::move(captions);
    in.screen = {1280, 1024};
    in.frame = {7, 25};
    return in;
}

// w = 7, h = 13: the spacings 17.5, 16.25, 22.75 and 87.5 all round.
TEST(MessageLayoutTest, OneButtonCentredWithRoundedTerms) {
    MessageLayout got = LayoutMessageDialog(Input(7, 13, {200, 39}, {15}));
    EXPECT_EQ(278, got.client.width);   // 14 + 200 + 32 + 18 + 14
    EXPECT_EQ(104, got.client.height);  // 13 + 39 + 16 + 23 + 13
    ExpectRect({14, 13, 32, 32}, got.icon);
    ExpectRect({64, 13, 200, 39}, got.text);
    ASSERT_EQ(1u, got.buttons.size());
    ExpectRect({95, 68, 88, 23}, got.buttons[0]);
    // Outer 285 x 129: each half is divided on its own, 640 - 142 and 512 - 64.
    EXPECT_EQ(498, got.left);
    EXPECT_EQ(448, got.top);
}

TEST(MessageLayoutTest, LongCaptionWidensBothButtonsAndTheRow) {
    MessageLayout got = LayoutMessageDialog(Input(6, 12, {50, 12}, {15, 90}));
    // The icon is taller than one line; the row of two 98-pixel buttons is
    // wider than icon and text.
    EXPECT_EQ(226, got.client.width);
    EXPECT_EQ(92, got.client.height);  // 12 + 32 + 15 + 21 + 12
    ExpectRect({59, 12, 50, 12}, got.text);
    ASSERT_EQ(2u, got.buttons.size());
    ExpectRect({12, 59, 98, 21}, got.buttons[0]);
    ExpectRect({116, 59, 98, 21}, got.buttons[1]);
}

TEST(MessageLayoutTest, TallTextPushesTheButtonsDown) {
    MessageLayout one = LayoutMessageDialog(Input(6, 12, {100, 12}, {15}));
    MessageLayout many = LayoutMessageDialog(Input(6, 12, {100, 120}, {15}));
    EXPECT_EQ(one.client.height + 120 - 32, many.client.height);
    EXPECT_EQ(12 + 120 + 15, many.buttons[0].top);
    ExpectRect({12, 12, 32, 32}, many.icon);
}

TEST(MessageLayoutTest, RequestedCoordinatesReplaceOnlyTheirOwnCentredValue) {
    struct Row {
        int x, y, left, top;
    };
    // Outer size 285 x 129 on 1280 x 1024; zero is a position, not "centred".
    const Row rows[] = {{-1, -1, 498, 448},    {200, 170, 200, 170}, {-1, 170, 498, 170},
                        {-150, 170, 498, 170}, {200, -1, 200, 448},  {0, 0, 0, 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "x=" << row.x << " y=" << row.y);
        MessageLayoutInput in = Input(7, 13, {200, 39}, {15});
        in.x = row.x;
        in.y = row.y;
        MessageLayout got = LayoutMessageDialog(in);
        EXPECT_EQ(row.left, got.left);
        EXPECT_EQ(row.top, got.top);
    }
}

PromptLayoutInput PromptInput(int w, int h) {
    PromptLayoutInput in;
    in.charWidth = w;
    in.lineHeight = h;
    in.prompt = {190, h};
    in.screen = {1280, 1024};
    in.frame = {6, 25};
    return in;
}

// w = 7, h = 13: 87.5, 66.5, 102.375, 30.875, 66.625 and 22.75 all round.
TEST(PromptLayoutTest, EveryTermIsScaledAndRounded) {
    PromptLayout got = LayoutPromptDialog(PromptInput(7, 13));
    EXPECT_EQ(315, got.client.width);
    EXPECT_EQ(102, got.client.height);
    ExpectRect({14, 13, 190, 13}, got.prompt);
    ExpectRect({14, 31, 287, 23}, got.edit);
    ExpectRect({67, 67, 88, 23}, got.ok);
    ExpectRect({161, 67, 88, 23}, got.cancel);
    // Outer 321 x 127 centred: (1280 - 321) / 2 and (1024 - 127) / 2.
    EXPECT_EQ(479, got.left);
    EXPECT_EQ(448, got.top);
}

// A long prompt keeps its measured width even past the client's edge.
TEST(PromptLayoutTest, ThePromptKeepsItsMeasuredSize) {
    PromptLayoutInput in = PromptInput(6, 12);
    in.prompt = {400, 12};
    PromptLayout got = LayoutPromptDialog(in);
    EXPECT_EQ(270, got.client.width);
    ExpectRect({12, 12, 400, 12}, got.prompt);
    EXPECT_EQ(got.prompt.left, got.edit.left);
}

}  // namespace
}  // namespace wendle
