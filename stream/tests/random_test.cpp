#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include <corvax/stream/random.h>

namespace corvax {
namespace {

// The generator's defining recurrence in plain 64-bit arithmetic.
std::int32_t NextSeed(std::int64_t seed) {
  return static_cast<std::int32_t>(seed * 48271 % 2147483647);
}

TEST(Random, FirstStepFromTheDefaultSeed) {
  SetRandomSeed(0);
  EXPECT_EQ(GetRandomSeed(), 4660);
  RandomFloat();
  EXPECT_EQ(GetRandomSeed(), 224942860);
}

TEST(Random, StepsMatchTheModularRecurrenceAcrossTheRange) {
  for (const std::int32_t start : {1, 4660, 44487, 44488, 2147483646, 1234567891}) {
    SetRandomSeed(start);
    std::int64_t expected = start;
    for (int i = 0; i < 10000; ++i) {
      expected = NextSeed(expected);
      const float f = RandomFloat();
      ASSERT_EQ(GetRandomSeed(), expected) << "start " << start << " step " << i;
      ASSERT_EQ(f, static_cast<float>(expected & 0x0FFFFFF0) / 268435456.0f);
      ASSERT_GE(f, 0.0f);
      ASSERT_LT(f, 1.0f);
    }
  }
}

TEST(Random, SeedsThatWouldStallBecomeTheDefault) {
  SetRandomSeed(2147483647);
  EXPECT_EQ(GetRandomSeed(), 4660);
  SetRandomSeed(-1);
  EXPECT_EQ(GetRandomSeed(), 4660);
  SetRandomSeed(static_cast<int>(0x80000005u));
  EXPECT_EQ(GetRandomSeed(), 5);
  SetRandomSeed(77);
  EXPECT_EQ(GetRandomSeed(), 77);
}

TEST(Random, IntRangesInEitherOrder) {
  SetRandomSeed(5);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(RandomInt(3, 3), 3);

  std::set<int> forward, backward;
  SetRandomSeed(5);
  for (int i = 0; i < 2000; ++i) forward.insert(RandomInt(1, 5));
  SetRandomSeed(5);
  for (int i = 0; i < 2000; ++i) backward.insert(RandomInt(5, 1));
  EXPECT_EQ(forward, (std::set<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(backward, forward);
}

TEST(Random, NegativeIntRangesShiftUpByTruncation) {
  std::set<int> seen;
  SetRandomSeed(5);
  for (int i = 0; i < 5000; ++i) seen.insert(RandomInt(-5, -1));
  EXPECT_EQ(seen, (std::set<int>{-4, -3, -2, -1, 0}));
}

TEST(Random, RealRanges) {
  SetRandomSeed(8);
  EXPECT_EQ(RandomReal(2, 2), 2.0);
  for (int i = 0; i < 1000; ++i) {
    const double forward = RandomReal(1.5, 4.0);
    EXPECT_GE(forward, 1.5);
    EXPECT_LT(forward, 4.0);
    const double backward = RandomReal(4.0, 1.5);
    EXPECT_GE(backward, 1.5);
    EXPECT_LT(backward, 4.0);
  }
}

}  // namespace
}  // namespace corvax
