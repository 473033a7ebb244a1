#include "reading/logic/ReadingLayout.h"

#include <gtest/gtest.h>

using namespace folio::reading;

// A narrow tutorial gets a negative text width, and its button still moves; the About
// window's factors give single-precision values.
TEST(ReadingLayout, TutorialAndAboutSizes)
{
    const struct { ReadingLayout layout; double width, height; std::optional<double> closeLeft; } rows[] = {
        {tutorialLayout(8910, 6120), 7710, 5814, 7960},
        {tutorialLayout(900, 3000), -300, 2850, -50},
        {aboutLayout(2880, 1590), 2793.6f, 1510.5, std::nullopt},  // 2793.6 is not a float
    };
    for (const auto& r : rows) {
        EXPECT_DOUBLE_EQ(r.layout.textWidth, r.width);
        EXPECT_DOUBLE_EQ(r.layout.textHeight, r.height);
        EXPECT_EQ(r.layout.closeLeft, r.closeLeft);
    }
}
