#pragma once
/// @file
/// @ingroup stream
/// Turning a url into a stream, and loading or saving whole urls.
/// Call first: OpenReadStream or OpenWriteStream with a file path or "protocol::path"; LoadBytes
/// and SaveObject for whole urls. Example: examples/serialise.cpp.
#include <cstdint>
#include <vector>

#include <corvax/stream/stream.h>
#include <corvax/stream/url.h>

namespace corvax {

/// A stream object comes back wrapped, so closing the result leaves it open. A String with "::"
/// goes to the factory chain with the lower-cased protocol before the first "::" and the rest as
/// path; any other String opens a file. The empty string and non-String objects reach the factories
/// with empty protocol and path.
/// @param url What to open.
/// @param readable Whether to read.
/// @param writeable Whether to write.
/// @return The stream; Null when nothing can open it.
/// @sa OpenReadStream, OpenWriteStream
Ref<TStream> OpenUrlStream(const Url& url, bool readable, bool writeable);
/// OpenUrlStream for reading only.
/// @param url A file path or "protocol::path" ("utf8::notes.txt" reads text).
/// @return The stream; Null when nothing can open it.
Ref<TStream> OpenReadStream(const Url& url);
/// OpenUrlStream for writing only.
/// @param url A file path or "protocol::path".
/// @return The stream; Null when nothing can open it.
Ref<TStream> OpenWriteStream(const Url& url);

/// Throws TNullObjectException when the url cannot be opened (as do SaveBytes and the text forms),
/// and stream exceptions when reading or writing fails.
/// @param url What to read.
/// @return The url's whole contents.
/// @sa SaveBytes
std::vector<std::uint8_t> LoadBytes(const Url& url);
/// Writes bytes as the url's whole contents. A stream that cannot be closed (the last buffered
/// bytes did not reach a full disk) throws TStreamWriteException.
/// @param bytes The contents.
/// @param url Where they go.
void SaveBytes(const std::vector<std::uint8_t>& bytes, const Url& url);
/// Each byte is one character of the same code.
/// @param url What to read.
/// @return The text.
String LoadByteText(const Url& url);
/// Each character is written as the byte of the same code; a failing close throws as SaveBytes.
/// @param text The text.
/// @param url Where it goes.
void SaveByteText(const String& text, const Url& url);

/// ReadObject of the url's stream ("data::file" for an object graph).
/// @param url What to read.
/// @return The object; Null when the url cannot be opened.
/// @sa SaveObject
Ref<Object> LoadObject(const Url& url);
/// WriteObject to the url's stream; nothing is written when it cannot be opened.
/// @param object The object.
/// @param url Where it goes.
void SaveObject(const Ref<Object>& object, const Url& url);

/// Copies until the source ends, through a buffer; neither stream is closed. Failed reads and
/// writes throw the stream exceptions.
/// @param from The source.
/// @param to The destination.
/// @param bufferSize The buffer's size in bytes.
void CopyAll(const Ref<TStream>& from, const Ref<TStream>& to, int bufferSize = 4096);
/// Copies count bytes through a buffer and throws TStreamReadException when the source ends first;
/// neither stream is closed.
/// @param from The source.
/// @param to The destination.
/// @param count The number of bytes.
/// @param bufferSize The buffer's size in bytes.
void CopyCount(const Ref<TStream>& from, const Ref<TStream>& to, int count, int bufferSize = 4096);

/// @param path A path.
/// @return The spelling of an existing path on disk when it differs only in the case of A-Z; the
/// path itself when it exists as written; the empty string when a component has no match.
String ResolveFileNameCase(const String& path);

}  // namespace corvax
