#pragma once
// The line a fatal signal prints on standard output, "signal!:<number>\n", built without
// allocating or formatting, so that a signal handler can use it.
#include <cstddef>

namespace corvax::platform {

// Room for "signal!:", ten digits, a line end and a terminator.
struct SignalLine {
  char text[32];
  std::size_t length;
};

inline SignalLine MakeSignalLine(int signalNumber) {
  SignalLine line{"signal!:", 8};
  char digits[12];
  int count = 0;
  for (unsigned value = static_cast<unsigned>(signalNumber); count == 0 || value != 0;
       value /= 10) {
    digits[count++] = static_cast<char>('0' + value % 10);
  }
  while (count > 0) line.text[line.length++] = digits[--count];
  line.text[line.length++] = '\n';
  line.text[line.length] = '\0';
  return line;
}

}  // namespace corvax::platform
