#pragma once
/// @file
/// @ingroup stream
/// The console as a UTF-8 text stream, behind PrintLine and InputLine.
#include <corvax/runtime/console.h>
#include <corvax/stream/text_stream.h>

namespace corvax {

/// @return The console's text stream, made on first use over TCStandardIO and kept for the
/// program's life.
/// @sa InputLine, PrintLine
Ref<TTextStream> ConsoleStream();

/// Writes the prompt, then reads one line of standard input. Throws TStreamReadException once
/// standard input has ended.
/// @param prompt The text written first.
/// @return The line without its line end.
String InputLine(const String& prompt = String());

/// Part of the stream module's start-up: PrintLine writes through the console stream from then on,
/// as UTF-8 with the platform's line end ("\n"), flushed at once.
void StartupConsole();

}  // namespace corvax
