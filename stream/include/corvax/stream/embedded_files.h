#pragma once
/// @file
/// @ingroup stream
/// Files compiled into the program, readable as "incbin::<name>". Names match exactly.
#include <corvax/runtime/string.h>

namespace corvax {

/// Adds a file to the embedded-file table ("incbin::name"). The bytes must live as long as the
/// process; they are never copied.
/// @param name The file's name.
/// @param data Its bytes.
/// @param size Their number.
/// @return true when added; false when the name is taken (the first registration stays).
/// @sa EmbeddedFileData
bool RegisterEmbeddedFile(const String& name, const void* data, int size);
/// @param name A registered name.
/// @return The bytes; a null pointer for an unknown name.
/// @sa EmbeddedFileSize
const void* EmbeddedFileData(const String& name);
/// @param name A registered name.
/// @return The size in bytes; 0 for an unknown name.
int EmbeddedFileSize(const String& name);

}  // namespace corvax
