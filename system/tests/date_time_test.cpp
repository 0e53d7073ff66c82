#include <gtest/gtest.h>

#include <clocale>
#include <regex>

#include <corvax/system/system_driver.h>
#include <corvax/system/timer.h>

namespace corvax {
namespace {

TEST(DateTime, CLocaleFormatsWhateverTheProcessLocale) {
  // A locale with other month names, where one is installed.
  std::setlocale(LC_ALL, "de_DE.UTF-8") || std::setlocale(LC_ALL, "fr_FR.UTF-8");
  const std::string date = ToUtf8(CurrentDateText());
  const std::string time = ToUtf8(CurrentTimeText());
  std::setlocale(LC_ALL, "C");
  EXPECT_TRUE(std::regex_match(
      date, std::regex("[0-3][0-9] (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) [0-9]{4}")))
      << date;
  EXPECT_TRUE(std::regex_match(time, std::regex("[0-2][0-9]:[0-5][0-9]:[0-6][0-9]"))) << time;
}

TEST(TimerPeriod, ThousandDividedByHertzTruncated) {
  EXPECT_EQ(TimerPeriodMs(60), 16);
  EXPECT_EQ(TimerPeriodMs(70), 14);
  EXPECT_EQ(TimerPeriodMs(1), 1000);
  EXPECT_EQ(TimerPeriodMs(1000), 1);
  EXPECT_EQ(TimerPeriodMs(0.5f), 2000);
  EXPECT_EQ(TimerPeriodMs(1001), 0);
  EXPECT_EQ(TimerPeriodMs(0), 0);
  EXPECT_EQ(TimerPeriodMs(-60), 0);
  EXPECT_EQ(TimerPeriodMs(std::numeric_limits<float>::quiet_NaN()), 0);
  EXPECT_EQ(TimerPeriodMs(1e-9f), 0);
}

}  // namespace
}  // namespace corvax
