#pragma once
/// @file
/// @ingroup stream
/// A url as the text a message names it by.
#include <string>

#include <corvax/stream/url.h>

namespace corvax {

/// For lines on standard error that say which url a failure concerns.
/// @param url Any url.
/// @return Its object's text form in UTF-8; "Null" for the Null url.
std::string UrlText(const Url& url);

}  // namespace corvax
