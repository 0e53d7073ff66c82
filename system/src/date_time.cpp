#include <ctime>

#include <locale.h>

#include <corvax/system/system_driver.h>

namespace corvax {
namespace {

// Formats the local time in the C locale, whatever locale the process runs in.
String FormatNow(const char* format) {
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buffer[256];
  const std::size_t length = strftime_l(buffer, sizeof buffer, format, &local, cLocale);
  return From8Bit(std::string_view(buffer, length));
}

}  // namespace

String CurrentDateText() {
  return FormatNow("%d %b %Y");
}
String CurrentTimeText() {
  return FormatNow("%H:%M:%S");
}

}  // namespace corvax
