#include <array>
#include <cstdio>
#include <ctime>

#include <corvax/system/backend/run_gate.h>
#include <corvax/system/system_driver.h>

namespace corvax {
namespace {

// The month names of the C locale: the texts never follow the user's language.
constexpr std::array<const char*, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Framework code runs on the main thread, so the C library's one shared result serves.
std::tm LocalNow() {
  const auto now = static_cast<std::time_t>(
      ReadRunClock(RunClockId::Calendar, static_cast<std::int64_t>(std::time(nullptr))));
  const std::tm* local = std::localtime(&now);
  return local ? *local : std::tm{};
}

}  // namespace

String CurrentDateText() {
  const std::tm local = LocalNow();
  char buffer[32];
  const int length =
      std::snprintf(buffer, sizeof buffer, "%02d %s %d", local.tm_mday,
                    kMonthNames[static_cast<std::size_t>(local.tm_mon) % 12], local.tm_year + 1900);
  return From8Bit(std::string_view(buffer, static_cast<std::size_t>(length)));
}

String CurrentTimeText() {
  const std::tm local = LocalNow();
  char buffer[32];
  const int length = std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", local.tm_hour,
                                   local.tm_min, local.tm_sec);
  return From8Bit(std::string_view(buffer, static_cast<std::size_t>(length)));
}

}  // namespace corvax
