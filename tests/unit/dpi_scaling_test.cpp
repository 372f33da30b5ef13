#include "core/dpi_scaling.h"

#include <gtest/gtest.h>

namespace wendle {
namespace {

// Rectangles of the designed layouts (left, top, width, height at 96 DPI) and
// what they are at 120, 144 and 192: each number on its own, halves up.
TEST(DpiScalingTest, DesignedRectanglesAtEachDpi) {
    const struct {
        PixelRect designed;
        PixelRect at120, at144, at192;
    } rows[] = {
        // the main window's position and client size
        {{233, 132, 473, 441}, {291, 165, 591, 551}, {350, 198, 710, 662}, {466, 264, 946, 882}},
        // "タイトル" and "エンコード開始"
        {{40, 112, 49, 20}, {50, 140, 61, 25}, {60, 168, 74, 30}, {80, 224, 98, 40}},
        {{288, 392, 169, 33}, {360, 490, 211, 41}, {432, 588, 254, 50}, {576, 784, 338, 66}},
        // the About window's outer size and its clipped "(For OggEnc ...)" label
        {{0, 0, 233, 164}, {0, 0, 291, 205}, {0, 0, 350, 246}, {0, 0, 466, 328}},
        {{40, 32, 145, 9}, {50, 40, 181, 11}, {60, 48, 218, 14}, {80, 64, 290, 18}},
    };
    for (const auto& row : rows) {
        for (const auto& [dpi, expected] :
             {std::pair{120, row.at120}, std::pair{144, row.at144}, std::pair{192, row.at192}}) {
            SCOPED_TRACE(testing::Message()
                         << row.designed.left << "," << row.designed.top << " at " << dpi);
            const PixelRect got = ScaleToDpi(row.designed, dpi);
            EXPECT_EQ(expected.left, got.left);
            EXPECT_EQ(expected.top, got.top);
            EXPECT_EQ(expected.width, got.width);
            EXPECT_EQ(expected.height, got.height);
        }
        const PixelRect same = ScaleToDpi(row.designed, 96);
        EXPECT_EQ(row.designed.width, same.width);
        EXPECT_EQ(row.designed.left, same.left);
    }
}

// Font heights and item heights, and halves in both directions.
TEST(DpiScalingTest, LengthsRoundHalvesAwayFromZero) {
    EXPECT_EQ(18, ScaleToDpi(12, 144));  // the font
    EXPECT_EQ(24, ScaleToDpi(16, 144));  // the folder list's items
    EXPECT_EQ(15, ScaleToDpi(12, 120));  // the bit-rate list's items
    EXPECT_EQ(20, ScaleToDpi(13, 144));  // 19.5
    EXPECT_EQ(17, ScaleToDpi(11, 144));  // 16.5
    EXPECT_EQ(-5, ScaleToDpi(-3, 144));  // -4.5
    EXPECT_EQ(0, ScaleToDpi(0, 192));
}

TEST(DpiScalingTest, PicturesAreTheNearestDrawnSizeNotNarrower) {
    EXPECT_EQ(16, PictureSizeFor(96));
    EXPECT_EQ(20, PictureSizeFor(108));  // 18 needed: not 16, stretched
    EXPECT_EQ(20, PictureSizeFor(120));
    EXPECT_EQ(24, PictureSizeFor(144));
    EXPECT_EQ(32, PictureSizeFor(168));
    EXPECT_EQ(32, PictureSizeFor(192));
    EXPECT_EQ(32, PictureSizeFor(288));  // past the largest: the largest as drawn
}

TEST(DpiScalingTest, AWindowIsKeptInsideTheWorkArea) {
    const PixelRect area{0, 0, 1280, 984};
    auto expect = [&](PixelRect window, int left, int top) {
        const PixelRect got = KeptInside(window, area);
        EXPECT_EQ(left, got.left);
        EXPECT_EQ(top, got.top);
        EXPECT_EQ(window.width, got.width);
        EXPECT_EQ(window.height, got.height);
    };
    expect({233, 132, 479, 491}, 233, 132);       // inside: stays
    expect({466, 264, 952, 940}, 328, 44);        // over the right and bottom edges
    expect({-20, -5, 100, 100}, 0, 0);            // over the left and top edges
    expect({100, 100, 1400, 1100}, 0, 0);         // larger: the top-left corner shows
    const PixelRect second{1280, 0, 1920, 1080};  // a monitor right of the first
    const PixelRect moved = KeptInside({3000, 50, 500, 400}, second);
    EXPECT_EQ(2700, moved.left);
    EXPECT_EQ(50, moved.top);
}

}  // namespace
}  // namespace wendle
