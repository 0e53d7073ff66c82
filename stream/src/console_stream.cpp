#include <corvax/runtime/start_once.h>
#include <corvax/stream/console_stream.h>

#include <corvax/stream/standard_io.h>

namespace corvax {
namespace {

void PrintConsoleLine(const String& text) {
  const Ref<TTextStream> console = ConsoleStream();
  console->WriteChars(text);
  console->WriteChars(u"\n");
  console->Flush();
}

}  // namespace

Ref<TTextStream> ConsoleStream() {
  // Never released, so that exit actions can still print after static objects are gone.
  static TTextStream* const console =
      TTextStream::CreateTextStream(New<TCStandardIO>(), TTextStream::ENCODING_UTF8).Detach();
  return Ref<TTextStream>(console);
}

String InputLine(const String& prompt) {
  const Ref<TTextStream> console = ConsoleStream();
  console->WriteChars(prompt);
  console->Flush();
  return console->ReadTextLine();
}

void StartupConsole() {
  static bool started = false;
  if (!StartOnce(started)) return;
  ConsoleStream();
  SetPrintLineFunction(&PrintConsoleLine);
}

}  // namespace corvax
