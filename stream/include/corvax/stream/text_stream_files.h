#pragma once
/// @file
/// @ingroup stream
/// Whole texts to and from urls, in the narrowest encoding that holds them.
#include <corvax/stream/url.h>

namespace corvax {

/// A byte-order mark selects UTF-8, UTF-16 big- or little-endian and is dropped; without one each
/// byte is one character (Latin-1). Throws TNullObjectException when the url cannot be opened.
/// @param url What to read.
/// @return The whole text.
/// @sa SaveText
String LoadText(const Url& url);
/// One byte per character when every character is below 256; otherwise UTF-16 little-endian after
/// the mark 255, 254. Throws TNullObjectException when the url cannot be opened.
/// @param text The text.
/// @param url Where it goes.
/// @sa LoadText
void SaveText(const String& text, const Url& url);

}  // namespace corvax
