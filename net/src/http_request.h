#pragma once
// How an "http" url's GET travels: over a TCP connection of our own on the desktop, through the
// browser's fetch in a web page. The url has been checked and split by the factory.
#include <corvax/stream/stream.h>

namespace corvax {

// Sends a GET for file (from its "/" on) to host at port and gives the response body as a
// stream; hostAndPort is the url's own text before the file. Null when no 2xx response came.
Ref<TStream> RequestHttpBody(const String& hostAndPort, const String& host, int port,
                             const String& file);

}  // namespace corvax
