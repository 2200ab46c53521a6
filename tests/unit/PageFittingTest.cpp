#include "app/PageFitting.h"

#include <gtest/gtest.h>

TEST(PageFitting, MarginsAndTabRowsScaleWithTheDpi) {
    // 96 DPI: 8-pixel margin, 18 pixels per row of tabs.
    SIZE at96 = FittedPageSize({400, 300}, 1, 96);
    EXPECT_EQ(at96.cx, 392);
    EXPECT_EQ(at96.cy, 274);
    at96 = FittedPageSize({400, 300}, 2, 96);
    EXPECT_EQ(at96.cy, 256);
    // 144 DPI: 12 and 27 pixels.
    const SIZE at144 = FittedPageSize({600, 450}, 2, 144);
    EXPECT_EQ(at144.cx, 588);
    EXPECT_EQ(at144.cy, 384);
    // 120 DPI rounds 8 * 1.25 = 10 and 18 * 1.25 = 22.5 up to 23.
    const SIZE at120 = FittedPageSize({500, 400}, 1, 120);
    EXPECT_EQ(at120.cx, 490);
    EXPECT_EQ(at120.cy, 367);
}

TEST(PageFitting, ATinyTabAreaGivesAnEmptyPage) {
    const SIZE size = FittedPageSize({5, 20}, 3, 96);
    EXPECT_EQ(size.cx, 0);
    EXPECT_EQ(size.cy, 0);
}
