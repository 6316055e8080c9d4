// The game's one draw: a whole number from 1 to n, even when the source gives 1.
#include "scripted_platform.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(Draws, StayWithinOneToNEvenWhenTheSourceGivesOne) {
    ScriptedPlatform platform;
    platform.randoms = {0.0, std::nextafter(1.0, 0.0), 1.0, 0.5};
    for (int face : {1, 6, 6, 4})
        EXPECT_EQ(ui::draw(platform, 6), face);
}
