// A web page's HTTP is the browser's fetch: the program waits for it through Asyncify while the
// page goes on. The browser speaks HTTP itself, so what the stream sees is the status, the
// length and the body as the browser hands them over; it follows no redirect (as on the
// desktop), and a page reads only its own server's answers and those of servers that allow it
// (cross-origin rules). Every failure gives one line on standard error saying why.
#include "http_request.h"

#include <emscripten.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include <corvax/net/http_stream.h>
#include <corvax/stream/stream_exceptions.h>

namespace corvax {
namespace {

// Room for the browser's words on a failure.
constexpr int kWhyBytes = 256;
// What corvax_fetch_take gives when the page holds none of the body yet.
constexpr int kNothingHeld = -2;

// NOLINTBEGIN(modernize-use-trailing-return-type): EM_JS writes the function's signature itself.
// (EM_JS passes its body through the C preprocessor, which splits `=>` and `!==`: plain
// functions and loose comparisons here. clang-format would break the JavaScript apart.)
// clang-format off

// Starts the GET and waits for the response head (or the time-out, 0: none). Gives the body's
// number (> 0) and its length (-1: not known), or 0 with the reason in why.
//
// Each wait for the browser goes through corvaxWait: the program sleeps through Asyncify while
// work() runs, and wakes with its result in a callback of the page's own, the way Emscripten's
// sleeps wake. (Woken from a bare promise, as EM_ASYNC_JS wakes, a program that ends after its
// last fetch would never be seen to end: only a page callback checks for that.) The functions
// that wait are async imports (ASYNCIFY_IMPORTS in net/CMakeLists.txt); waits follow an open,
// which defines the wait.
EM_JS(int, corvax_fetch_open,
      (const char* url, int timeoutMs, int* length, char* why, int whyRoom), {
  Module["corvaxWait"] = Module["corvaxWait"] || function(work) {
    return Asyncify.handleSleep(function(wakeUp) {
      work().then(function(result) { callUserCallback(function() { wakeUp(result); }); });
    });
  };
  var address = UTF8ToString(url);
  return Module["corvaxWait"](async function() {
    var controller = new AbortController();
    var timer = timeoutMs > 0 ? setTimeout(function() { controller.abort(); }, timeoutMs) : 0;
    var response;
    try {
      response = await fetch(address,
                             {redirect: "manual", cache: "no-store", signal: controller.signal});
    } catch (error) {
      clearTimeout(timer);
      stringToUTF8(controller.signal.aborted
                       ? "no answer came within " + timeoutMs + " ms"
                       : "the browser could not fetch it (" + error.message +
                             "): no server answers there, or it does not let this page read it",
                   why, whyRoom);
      return 0;
    }
    clearTimeout(timer);
    var failure = "";
    if (response.type == "opaqueredirect") {
      failure = "the server redirects it elsewhere (redirects are not followed)";
    } else if (!response.ok) {
      failure = "the server answered " + response.status +
                (response.statusText ? " " + response.statusText : "");
    }
    if (failure) {
      if (response.body) response.body.cancel().catch(function() {});
      stringToUTF8(failure, why, whyRoom);
      return 0;
    }
    /* A compressed body's length is not the length of the bytes the stream hands out. */
    var size = response.headers.get("Content-Length");
    var known = size != null && !response.headers.get("Content-Encoding") &&
                /^[0-9]{1,10}$/.test(size) && Number(size) <= 2147483647;
    HEAP32[length >> 2] = known ? Number(size) : -1;
    var fetches = Module["corvaxFetches"] || (Module["corvaxFetches"] = {next: 1, open: {}});
    var id = fetches.next++;
    fetches.open[id] = {
      reader: response.body ? response.body.getReader() : null,
      controller: controller,
      chunk: null,
      offset: 0
    };
    return id;
  });
});

// Up to count bytes of the body that the page holds into buffer, without waiting. Gives the
// count, 0 at the body's end, or kNothingHeld.
EM_JS(int, corvax_fetch_take, (int id, void* buffer, int count), {
  var open = Module["corvaxFetches"].open[id];
  if (!open.reader) return 0;
  if (!open.chunk || open.offset >= open.chunk.length) return -2;
  var n = Math.min(count, open.chunk.length - open.offset);
  HEAPU8.set(open.chunk.subarray(open.offset, open.offset + n), buffer);
  open.offset += n;
  return n;
});

// Waits for the next part of the body (at most the time-out, 0: without limit). Gives 1 when
// it came, 0 at the body's end, or -1 with the reason in why.
EM_JS(int, corvax_fetch_wait, (int id, int timeoutMs, char* why, int whyRoom), {
  var open = Module["corvaxFetches"].open[id];
  return Module["corvaxWait"](async function() {
    var timer = timeoutMs > 0 ? setTimeout(function() { open.controller.abort(); }, timeoutMs)
                              : 0;
    var next;
    try {
      next = await open.reader.read();
    } catch (error) {
      clearTimeout(timer);
      stringToUTF8(open.controller.signal.aborted
                       ? "no more of the body came within " + timeoutMs + " ms"
                       : "the body broke off (" + error.message + ")",
                   why, whyRoom);
      return -1;
    }
    clearTimeout(timer);
    if (next.done) {
      open.reader = null;
      return 0;
    }
    open.chunk = next.value;
    open.offset = 0;
    return 1;
  });
});

// Lets the body go; the browser stops receiving it.
EM_JS(void, corvax_fetch_close, (int id), {
  var fetches = Module["corvaxFetches"];
  var open = fetches.open[id];
  delete fetches.open[id];
  if (open.reader) open.reader.cancel().catch(function() {});
});

// clang-format on
// NOLINTEND(modernize-use-trailing-return-type)

// A response body as the browser hands it over. With a known length the body ends after that
// many bytes; a body that breaks off, like one that stalls past the time-out, is a read error
// (with its line), never a short body that looks complete.
class TFetchBody final : public TStream {
 public:
  TFetchBody(int id, int contentLength, std::string url)
      : id_(id), contentLength_(contentLength), remaining_(contentLength), url_(std::move(url)) {}
  // A body let go unread stops the browser's download too.
  ~TFetchBody() override { Close(); }
  TFetchBody(const TFetchBody&) = delete;
  TFetchBody& operator=(const TFetchBody&) = delete;

  bool AtEnd() override { return id_ == 0 || remaining_ == 0; }

  int Read(void* buffer, int count) override {
    if (id_ == 0) return 0;
    if (remaining_ >= 0) count = std::min(count, remaining_);
    if (count <= 0) return 0;
    char why[kWhyBytes] = {};
    int n = corvax_fetch_take(id_, buffer, count);
    // An empty part of the body is no end: the next one is waited for.
    while (n == kNothingHeld) {
      n = corvax_fetch_wait(id_, HTTPTimeout(), why, sizeof why);
      if (n > 0) n = corvax_fetch_take(id_, buffer, count);
    }
    if (n > 0) {
      if (remaining_ > 0) remaining_ -= n;
      return n;
    }
    if (n == 0 && remaining_ < 0) {
      Close();
      return 0;
    }
    if (n == 0) std::snprintf(why, sizeof why, "the body ended %d bytes short", remaining_);
    std::fprintf(stderr, "corvax: http::%s: %s\n", url_.c_str(), why);
    throw TStreamReadException();
  }

  int Length() override { return contentLength_ < 0 ? 0 : contentLength_; }

  int Close() override {
    if (id_ != 0) corvax_fetch_close(id_);
    id_ = 0;
    return 0;
  }

 private:
  int id_;
  int contentLength_;
  int remaining_;
  std::string url_;
};

}  // namespace

Ref<TStream> RequestHttpBody(const String& hostAndPort, const String&, int, const String& file) {
  const std::string url = To8Bit(hostAndPort + file);
  const std::string address = "http://" + url;
  int length = -1;
  char why[kWhyBytes] = {};
  const int id = corvax_fetch_open(address.c_str(), HTTPTimeout(), &length, why, sizeof why);
  if (id == 0) {
    std::fprintf(stderr, "corvax: cannot get http::%s: %s\n", url.c_str(), why);
    return nullptr;
  }
  return New<TFetchBody>(id, length, url);
}

}  // namespace corvax
