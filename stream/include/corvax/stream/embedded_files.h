#pragma once
/// @file
/// @ingroup stream
/// Files compiled into the program, readable as "incbin::<name>". Names match exactly.
#include <corvax/runtime/string.h>

namespace corvax {

/// 1 when added; 0 when the name is taken (the first registration stays). The bytes must live
/// as long as the process; they are never copied.
int RegisterEmbeddedFile(const String& name, const void* data, int size);
/// Null pointer / 0 for an unknown name.
const void* EmbeddedFileData(const String& name);
/// The size in bytes; 0 for an unknown name.
int EmbeddedFileSize(const String& name);

}  // namespace corvax
