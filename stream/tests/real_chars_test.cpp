#include "real_chars.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

namespace corvax::real_chars {
namespace {

TEST(RealChars, ShortestTextPicksTheShorterFormFixedOnATie) {
  EXPECT_EQ(Shortest(0.1), "0.1");
  EXPECT_EQ(Shortest(0.1f), "0.1");
  EXPECT_EQ(Shortest(-1e300), "-1e+300");
  EXPECT_EQ(Shortest(123456789.0), "123456789");
  EXPECT_EQ(Shortest(0.0001), "1e-04");
  EXPECT_EQ(Shortest(0.001), "0.001");
  EXPECT_EQ(Shortest(1e20), "1e+20");
  EXPECT_EQ(Shortest(100.0), "100");
  EXPECT_EQ(Shortest(1.5e-7f), "1.5e-07");
  EXPECT_EQ(Shortest(0.0), "0");
  EXPECT_EQ(Shortest(-0.0), "-0");
  EXPECT_EQ(Shortest(std::numeric_limits<double>::infinity()), "inf");
  EXPECT_EQ(Shortest(-std::numeric_limits<float>::infinity()), "-inf");
  EXPECT_EQ(Shortest(std::numeric_limits<double>::quiet_NaN()), "nan");
}

TEST(RealChars, ReadsTheLongestRealAtTheStart) {
  EXPECT_EQ(ReadDouble("2.5e3xyz"), 2500.0);
  EXPECT_EQ(ReadDouble("-.5"), -0.5);
  EXPECT_EQ(ReadDouble("7e"), 7.0);
  EXPECT_EQ(ReadDouble("7e+"), 7.0);
  EXPECT_EQ(ReadFloat("3.25 and more"), 3.25f);
  EXPECT_TRUE(std::isinf(ReadDouble("-inf")));
  EXPECT_TRUE(std::isnan(ReadDouble("nan")));
}

TEST(RealChars, ReadsNothingFromWhatIsNoReal) {
  EXPECT_EQ(ReadDouble(""), 0.0);
  EXPECT_EQ(ReadDouble("x1"), 0.0);
  EXPECT_EQ(ReadDouble("."), 0.0);
  EXPECT_EQ(ReadDouble(" 1"), 0.0);
  EXPECT_EQ(ReadDouble("0x10"), 0.0);
}

TEST(RealChars, BeyondTheRangeReadsAsZero) {
  EXPECT_EQ(ReadDouble("1e400"), 0.0);
  EXPECT_EQ(ReadFloat("1e39"), 0.0f);
  EXPECT_EQ(ReadDouble("1e-400"), 0.0);
  EXPECT_EQ(ReadDouble("4.9e-324"), std::numeric_limits<double>::denorm_min());
}

// Any bit pattern alike: normal, subnormal, infinite or NaN.
template <class T, class Bits>
T AnyValue(std::mt19937_64& random) {
  const auto bits = static_cast<Bits>(random());
  T value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

template <class T, class Bits>
void ExpectShortestRoundTrips(std::mt19937_64& random, int count) {
  for (int i = 0; i < count; ++i) {
    const T value = AnyValue<T, Bits>(random);
    if (!std::isfinite(value)) continue;
    const std::string text = Shortest(value);
    const T back = std::is_same_v<T, float> ? ReadFloat(text) : ReadDouble(text);
    ASSERT_EQ(back, value) << text;
  }
}

TEST(RealChars, EveryFiniteValueReadsBackExactly) {
  std::mt19937_64 random(20261209);
  ExpectShortestRoundTrips<double, std::uint64_t>(random, 20000);
  ExpectShortestRoundTrips<float, std::uint32_t>(random, 20000);
}

#if defined(__cpp_lib_to_chars)
// Where <charconv> reads and writes reals, its results are what the printf-based ones must be.
template <class T, class Bits>
void ExpectPrintfMatchesCharconv(std::mt19937_64& random, int count) {
  for (int i = 0; i < count; ++i) {
    const T value = AnyValue<T, Bits>(random);
    if (std::isnan(value)) continue;
    const std::string text = Shortest(value);
    ASSERT_EQ(from_printf::Shortest(value), text);
    if constexpr (std::is_same_v<T, float>) {
      ASSERT_EQ(from_printf::Read<float>(text), ReadFloat(text)) << text;
    } else {
      ASSERT_EQ(from_printf::Read<double>(text), ReadDouble(text)) << text;
    }
  }
}

TEST(RealChars, PrintfBasedTextsMatchCharconv) {
  std::mt19937_64 random(42);
  ExpectPrintfMatchesCharconv<double, std::uint64_t>(random, 20000);
  ExpectPrintfMatchesCharconv<float, std::uint32_t>(random, 20000);
  for (const double value : {5e-324, 1.7976931348623157e308, 2.2250738585072014e-308,
                             9007199254740993.0, 0.3, 1.0 / 3, 1e23, 8.41e21, 5e-5, 123e-7}) {
    EXPECT_EQ(from_printf::Shortest(value), Shortest(value));
  }
  for (const char* text :
       {"1e400", "1e-400", "2.5e3xyz", "-.5", "7e+", "0x10", "inf", "-inf", "4.9e-324", "1e-320"}) {
    EXPECT_EQ(from_printf::Read<double>(text), ReadDouble(text)) << text;
    EXPECT_EQ(from_printf::Read<float>(text), ReadFloat(text)) << text;
  }
}
#endif

}  // namespace
}  // namespace corvax::real_chars
