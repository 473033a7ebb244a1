#include "reading/logic/ReadingLayout.h"

#include <gtest/gtest.h>

using namespace folio::reading;

TEST(ReadingLayout, TutorialAtItsDesignSize)
{
    const ReadingLayout l = tutorialLayout(8910, 6120);
    EXPECT_DOUBLE_EQ(l.textWidth, 7710);
    EXPECT_DOUBLE_EQ(l.textHeight, 5814);
    ASSERT_TRUE(l.closeLeft.has_value());
    EXPECT_DOUBLE_EQ(*l.closeLeft, 7960);
}

TEST(ReadingLayout, NarrowTutorialGivesANegativeWidthButTheButtonStillMoves)
{
    const ReadingLayout l = tutorialLayout(900, 3000);
    EXPECT_LT(l.textWidth, 0);
    EXPECT_DOUBLE_EQ(*l.closeLeft, -50);
}

TEST(ReadingLayout, AboutUsesSinglePrecisionFactors)
{
    const ReadingLayout l = aboutLayout(2880, 1590);
    EXPECT_DOUBLE_EQ(l.textWidth, double(float(2880 * 0.97)));
    EXPECT_DOUBLE_EQ(l.textHeight, double(float(1590 * 0.95)));
    EXPECT_FALSE(l.closeLeft.has_value());
}
