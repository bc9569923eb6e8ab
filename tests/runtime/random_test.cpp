// The generator's exact sequences and its bounds rules.
#include "runtime/random.h"

#include <gtest/gtest.h>

TEST(Random, SeedingWithZeroMaxOrMinusOneFallsBackTo4660) {
    for (int32_t seed : {0, 2147483647, -1}) {
        SeedRandom(seed);
        EXPECT_EQ(RandomSeedValue(), 4660) << seed;
    }
    SeedRandom(-5);
    EXPECT_EQ(RandomSeedValue(), 2147483643);
}

TEST(Random, OneStepAfterSeedOneGives48271) {
    SeedRandom(1);
    RandomFloat();
    EXPECT_EQ(RandomSeedValue(), 48271);
}

TEST(Random, UnseededFirstDrawGivesSwayStepFour) {
    SeedRandom(4660);
    const double value = RandomReal(1.0, 10.0);
    EXPECT_DOUBLE_EQ(value, 4.770898543623598);
    EXPECT_EQ(static_cast<int32_t>(value), 4);
}

TEST(Random, SequenceAfterSeedIsExact) {
    SeedRandom(12345);
    EXPECT_DOUBLE_EQ(RandomUnit(), 0.10996048079683407);
    EXPECT_DOUBLE_EQ(RandomUnit(), 0.7916505766277162);
    SeedRandom(12345);
    const int32_t expected[] = {1, 2, 2, 2, 1, 2, 2, 2};
    for (int32_t value : expected)
        EXPECT_EQ(RandomInt(1, 2), value);
    SeedRandom(42);
    for (int32_t value : {7, 54, 1233, 1032, 336})
        EXPECT_EQ(RandomInt(0, 2000), value);
}

TEST(Random, EachDrawAdvancesTwoStepsAndFloatOne) {
    SeedRandom(99);
    RandomInt(1, 10);
    const int32_t afterInt = RandomSeedValue();
    SeedRandom(99);
    RandomFloat();
    RandomFloat();
    EXPECT_EQ(RandomSeedValue(), afterInt);
}

TEST(Random, BoundsInEitherOrder) {
    SeedRandom(7);
    for (int i = 0; i < 2000; ++i) {
        EXPECT_EQ(RandomInt(5, 5), 5);
        const int32_t swapped = RandomInt(2, 1);
        EXPECT_TRUE(swapped == 1 || swapped == 2);
        const int32_t wide = RandomInt(45, 1);
        EXPECT_GE(wide, 1);
        EXPECT_LE(wide, 45);
        const double real = RandomReal(3.0, 1.0);
        EXPECT_GE(real, 1.0);
        EXPECT_LT(real, 3.0);
        const float unit = RandomFloat();
        EXPECT_GE(unit, 0.0f);
        EXPECT_LT(unit, 1.0f);
    }
}
