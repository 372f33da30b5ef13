#include "core/dpi_scaling.h"

#include <gtest/gtest.h>

namespace wendle {
namespace {

// Rectangles of the designed layouts at 96 DPI and at 120, 144 and 192:
// each number on its own, halves away from zero as MulDiv rounds them.
TEST(DpiScalingTest, DesignedRectanglesAtEachDpi) {
    const struct {
        PixelRect designed, at120, at144, at192;
    } rows[] = {
        // the main window's place and client size; the About window's clipped label
        {{233, 132, 473, 441}, {291, 165, 591, 551}, {350, 198, 710, 662}, {466, 264, 946, 882}},
        {{40, 32, 145, 9}, {50, 40, 181, 11}, {60, 48, 218, 14}, {80, 64, 290, 18}},
        {{-3, 0, 13, 11}, {-4, 0, 16, 14}, {-5, 0, 20, 17}, {-6, 0, 26, 22}},
    };
    for (const auto& row : rows) {
        for (const auto& [dpi, expected] : {std::pair{96, row.designed}, std::pair{120, row.at120},
                                            std::pair{144, row.at144}, std::pair{192, row.at192}}) {
            SCOPED_TRACE(testing::Message() << row.designed.width << " at " << dpi);
            const PixelRect got = ScaleToDpi(row.designed, dpi);
            EXPECT_EQ(expected.left, got.left);
            EXPECT_EQ(expected.top, got.top);
            EXPECT_EQ(expected.width, got.width);
            EXPECT_EQ(expected.height, got.height);
        }
    }
}

TEST(DpiScalingTest, PicturesAreTheNearestDrawnSizeNotNarrower) {
    EXPECT_EQ(16, PictureSizeFor(96));
    EXPECT_EQ(20, PictureSizeFor(108));  // 18 needed: not 16, stretched
    EXPECT_EQ(24, PictureSizeFor(144));
    EXPECT_EQ(32, PictureSizeFor(168));
    EXPECT_EQ(32, PictureSizeFor(288));  // past the largest: the largest as drawn
}

TEST(DpiScalingTest, AWindowIsMovedInsideTheWorkArea) {
    const PixelRect area{1280, 0, 1920, 1040};  // a monitor right of the first
    auto leftTop = [&](PixelRect window) {
        const PixelRect got = KeptInside(window, area);
        EXPECT_EQ(window.width, got.width);
        return std::pair{got.left, got.top};
    };
    EXPECT_EQ(std::pair(1500, 132), leftTop({1500, 132, 479, 491}));  // inside: stays
    EXPECT_EQ(std::pair(2248, 100), leftTop({3000, 264, 952, 940}));  // over right and bottom
    EXPECT_EQ(std::pair(1280, 0), leftTop({1000, -5, 100, 100}));     // over left and top
    EXPECT_EQ(std::pair(1280, 0), leftTop({1300, 10, 2000, 1100}));   // larger: its corner shows
}

}  // namespace
}  // namespace wendle
