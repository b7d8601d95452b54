#include <gtest/gtest.h>

#include "core/Numbers.h"

TEST(Numbers, RoundHalfEvenRoundsHalvesToTheEvenNeighbour)
{
    EXPECT_EQ(roundHalfEven(582.5), 582);
    EXPECT_EQ(roundHalfEven(583.5), 584);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
    EXPECT_EQ(roundHalfEven(2.4999), 2);
    EXPECT_EQ(roundHalfEven(2.5001), 3);
}
