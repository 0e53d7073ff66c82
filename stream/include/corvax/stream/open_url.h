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

/// A stream object comes back wrapped, so closing the result leaves it open. A String with
/// "::" goes to the factory chain with the lower-cased protocol before the first "::" and the
/// rest as path; any other String opens a file. The empty string and non-String objects reach
/// the factories with empty protocol and path. Null when nothing can open it.
Ref<TStream> OpenUrlStream(const Url& url, bool readable, bool writeable);
/// OpenUrlStream for reading only.
Ref<TStream> OpenReadStream(const Url& url);
/// OpenUrlStream for writing only.
Ref<TStream> OpenWriteStream(const Url& url);

/// The url's whole contents, or writes bytes as its whole contents. These and the two text
/// forms below throw TNullObjectException when the url cannot be opened, and stream exceptions
/// when reading or writing fails.
///@{
std::vector<std::uint8_t> LoadBytes(const Url& url);
void SaveBytes(const std::vector<std::uint8_t>& bytes, const Url& url);
///@}
/// Each byte is one character of the same code, and back.
///@{
String LoadByteText(const Url& url);
void SaveByteText(const String& text, const Url& url);
///@}

/// ReadObject or WriteObject of the url's stream ("data::file" for an object graph). Null when
/// the url cannot be opened; nothing is written when it cannot be opened.
///@{
Ref<Object> LoadObject(const Url& url);
void SaveObject(const Ref<Object>& object, const Url& url);
///@}

/// Copy through a buffer of bufferSize bytes; neither stream is closed. CopyAll copies until
/// the source ends; CopyCount copies count bytes and throws TStreamReadException when the
/// source ends first. Failed reads and writes throw the stream exceptions.
///@{
void CopyAll(const Ref<TStream>& from, const Ref<TStream>& to, int bufferSize = 4096);
void CopyCount(const Ref<TStream>& from, const Ref<TStream>& to, int count, int bufferSize = 4096);
///@}

/// The spelling of an existing path on disk when it differs only in the case of A-Z; the path
/// itself when it exists as written; the empty string when a component has no match.
String ResolveFileNameCase(const String& path);

}  // namespace corvax
