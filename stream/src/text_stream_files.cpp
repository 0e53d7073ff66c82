#include <corvax/stream/text_stream_files.h>

#include <algorithm>

#include <corvax/stream/open_url.h>
#include <corvax/stream/text_stream.h>

namespace corvax {
namespace {

// Closes the stream however the scope is left, so a failed read leaves no file open.
class Closing {
 public:
  explicit Closing(Ref<TStream> stream) : stream_(std::move(stream)) {}
  ~Closing() {
    if (stream_) stream_->Close();
  }
  Closing(const Closing&) = delete;
  Closing& operator=(const Closing&) = delete;

 private:
  Ref<TStream> stream_;
};

// The encoding a byte-order mark at the start selects, the mark consumed; 0 without one,
// leaving in start the bytes read while looking.
int ReadByteOrderMark(TStream& stream, std::string& start) {
  for (int i = 0; i < 2 && !stream.AtEnd(); ++i) start += static_cast<char>(stream.ReadU8());
  if (start == "\xFE\xFF") return TTextStream::ENCODING_UTF16BE;
  if (start == "\xFF\xFE") return TTextStream::ENCODING_UTF16LE;
  if (start == "\xEF\xBB" && !stream.AtEnd()) {
    start += static_cast<char>(stream.ReadU8());
    if (start == "\xEF\xBB\xBF") return TTextStream::ENCODING_UTF8;
  }
  return 0;
}

}  // namespace

String LoadText(const Url& url) {
  const Ref<TStream> stream = OpenReadStream(url);
  const Closing closing(stream);
  std::string start;
  if (const int encoding = ReadByteOrderMark(*stream, start)) {
    return TTextStream::CreateTextStream(stream, encoding)->ReadAllText();
  }
  const auto rest = LoadBytes(stream);
  start.append(rest.begin(), rest.end());
  return From8Bit(start);
}

void SaveText(const String& text, const Url& url) {
  if (std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 256; })) {
    SaveByteText(text, url);
    return;
  }
  const Ref<TStream> stream = OpenWriteStream(url);
  const Closing closing(stream);
  stream->WriteU8(255);
  stream->WriteU8(254);
  TTextStream::CreateTextStream(stream, TTextStream::ENCODING_UTF16LE)->WriteChars(text);
}

}  // namespace corvax
