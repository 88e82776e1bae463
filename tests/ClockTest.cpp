// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Clock.h"

#include <gtest/gtest.h>

TEST(DayClock, NeverZeroEvenAtMidnight) {
    ui::DayClock clock(0);
    EXPECT_GT(clock.At(0), 0);
}

TEST(DayClock, NeverGoesBackAndDoesNotWrapAtMidnight) {
    ui::DayClock clock(8639990); // ten hundredths before midnight
    const double before = clock.At(0);
    const double after = clock.At(200'000'000); // two seconds later
    EXPECT_DOUBLE_EQ(after - before, 20);
    EXPECT_GE(clock.At(100'000'000), after) << "an earlier reading never comes back";
    EXPECT_GE(clock.At(-5), after);
}

TEST(UniformRandom, DrawsStayInTheHalfOpenRangeAndReseedRepeats) {
    ui::UniformRandom a, b;
    a.Reseed(3600000 * 0.5);
    b.Reseed(3600000 * 0.5);
    double low = 1, high = 0;
    for (int i = 0; i < 10000; ++i) {
        const double x = a.Next();
        EXPECT_EQ(x, b.Next());
        low = std::min(low, x);
        high = std::max(high, x);
    }
    EXPECT_GE(low, 0.0);
    EXPECT_LT(high, 1.0);
    EXPECT_LT(low, 0.01);
    EXPECT_GT(high, 0.99);
}
