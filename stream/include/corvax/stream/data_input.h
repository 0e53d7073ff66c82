#pragma once
/// @file
/// @ingroup stream
/// Data streams are untrusted input: these refuse stored sizes that the stream cannot back,
/// before anything is allocated for them.
#include <cstdint>

#include <corvax/stream/stream.h>

namespace corvax {

/// Throws TStreamReadException when bytes is negative, or when the stream knows its length (its
/// Position is not -1) and holds fewer than bytes bytes after its position. A stream that cannot
/// tell is given the benefit of the doubt; read it with ReadStoredBytes.
/// @param stream The stream being read.
/// @param bytes The size the data claims.
/// @sa ReadStoredBytes
void CheckStoredSize(TStream& stream, std::int64_t bytes);

/// Reads exactly count bytes; the end of data or a failed Read before that throws
/// TStreamReadException (ReadBlock would stop quietly at the end).
/// @param stream The stream to read.
/// @param buffer Where the bytes go.
/// @param count The number of bytes.
/// @sa CheckStoredSize
void ReadStoredBytes(TStream& stream, void* buffer, int count);

}  // namespace corvax
