#include <corvax/runtime/console.h>

#include <cstdio>

namespace corvax {
namespace {

void WriteToStdout(const String& text) {
  const std::string bytes = ToUtf8(text);
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  std::fputc('\n', stdout);
}

PrintLineFunction writer = &WriteToStdout;

}  // namespace

void PrintLine(const String& text) {
  writer(text);
}

void SetPrintLineFunction(PrintLineFunction newWriter) {
  writer = newWriter ? newWriter : &WriteToStdout;
}

}  // namespace corvax
