#pragma once
/// @file
/// @ingroup runtime
/// Printing to the console, the system's one diagnostic channel.
#include <corvax/runtime/string.h>

namespace corvax {

/// A writer for PrintLine: gets the text without the line end.
using PrintLineFunction = void (*)(const String& text);

/// Writes the text and a line end to the console, in UTF-8.
/// @param text The line, without its end.
/// @sa SetPrintLineFunction
void PrintLine(const String& text);
/// Replaces the writer behind PrintLine, as the console text stream does when it starts.
/// @param writer The new writer.
/// @sa PrintLine
void SetPrintLineFunction(PrintLineFunction writer);

}  // namespace corvax
