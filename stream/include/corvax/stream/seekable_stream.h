#pragma once
/// @file
/// @ingroup stream
/// Seekable access to any url.
#include <corvax/stream/stream.h>
#include <corvax/stream/url.h>

namespace corvax {

/// OpenUrlStream(url, readable, writeable) when that is Null or can seek. A stream that cannot seek
/// is read whole into a bank and closed (a stream passed in as the url stays open), and a stream
/// over that bank is returned.
/// @param url What to open.
/// @param readable Whether to read.
/// @param writeable Whether to write.
/// @return A seekable stream, or Null.
Ref<TStream> OpenSeekableStream(const Url& url, bool readable, bool writeable);

}  // namespace corvax
