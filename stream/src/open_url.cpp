#include <corvax/stream/open_url.h>

#include <algorithm>

#include <corvax/stream/cstream.h>
#include <corvax/stream/stream_exceptions.h>
#include <corvax/stream/stream_factory.h>
#include <corvax/stream/stream_wrapper.h>

namespace corvax {

Ref<TStream> OpenUrlStream(const Url& url, bool readable, bool writeable) {
  const Ref<Object>& object = url.AsObject();
  if (auto stream = Cast<TStream>(object)) return TStreamStream::WrapStream(stream);

  const String text = UnboxString(object);
  String protocol, path;
  if (!text.empty()) {
    const auto separator = text.find(u"::");
    if (separator == String::npos) return TCStream::OpenFile(text, readable, writeable);
    protocol = ToLowerAscii(text.substr(0, separator));
    path = text.substr(separator + 2);
  }
  return RegistrationChain<TStreamFactory>::Global().FirstAnswer(
      [&](const Ref<TStreamFactory>& factory) {
        return factory->CreateStream(object, protocol, path, readable, writeable);
      });
}

Ref<TStream> OpenReadStream(const Url& url) {
  return OpenUrlStream(url, true, false);
}

Ref<TStream> OpenWriteStream(const Url& url) {
  return OpenUrlStream(url, false, true);
}

std::vector<std::uint8_t> LoadBytes(const Url& url) {
  const Ref<TStream> stream = OpenReadStream(url);
  std::vector<std::uint8_t> bytes(1024);
  // A stream that knows its length is read into one buffer of that size; the growth rule
  // takes over when it delivers more.
  const int position = stream->Position();
  const int length = stream->Length();
  if (position >= 0 && length > position) {
    bytes.resize(std::max<std::size_t>(bytes.size(), static_cast<std::size_t>(length - position)));
  }
  std::size_t filled = 0;
  while (!stream->AtEnd()) {
    if (filled == bytes.size()) bytes.resize(filled * 3 / 2);
    const int n = stream->Read(bytes.data() + filled, static_cast<int>(bytes.size() - filled));
    if (n <= 0) {
      // A stream that delivers nothing before its end has failed (one positioned past its end,
      // for instance); looping on would hang.
      if (stream->AtEnd()) break;
      stream->Close();
      throw TStreamReadException();
    }
    filled += static_cast<std::size_t>(n);
  }
  stream->Close();
  bytes.resize(filled);
  return bytes;
}

namespace {

// A file's buffered bytes reach the disk only when it closes, so a full disk shows there.
void CloseWritten(const Ref<TStream>& stream) {
  if (stream->Close() != 0) throw TStreamWriteException();
}

}  // namespace

void SaveBytes(const std::vector<std::uint8_t>& bytes, const Url& url) {
  const Ref<TStream> stream = OpenWriteStream(url);
  stream->WriteBlock(bytes.data(), static_cast<int>(bytes.size()));
  CloseWritten(stream);
}

String LoadByteText(const Url& url) {
  const auto bytes = LoadBytes(url);
  return From8Bit(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void SaveByteText(const String& text, const Url& url) {
  const Ref<TStream> stream = OpenWriteStream(url);
  const std::string bytes = To8Bit(text);
  stream->WriteBlock(bytes.data(), static_cast<int>(bytes.size()));
  CloseWritten(stream);
}

Ref<Object> LoadObject(const Url& url) {
  const Ref<TStream> stream = OpenReadStream(url);
  if (!stream) return nullptr;
  Ref<Object> object = stream->ReadObject();
  stream->Close();
  return object;
}

void SaveObject(const Ref<Object>& object, const Url& url) {
  const Ref<TStream> stream = OpenWriteStream(url);
  if (!stream) return;
  stream->WriteObject(object);
  stream->Close();
}

void CopyAll(const Ref<TStream>& from, const Ref<TStream>& to, int bufferSize) {
  std::vector<unsigned char> buffer(static_cast<std::size_t>(std::max(bufferSize, 1)));
  const int size = static_cast<int>(buffer.size());
  while (!from->AtEnd()) {
    const int n = from->Read(buffer.data(), size);
    if (n <= 0) {
      // A source that delivers nothing before its end would otherwise spin for ever.
      from->ThrowUnlessAtEnd();
      break;
    }
    to->WriteBlock(buffer.data(), n);
  }
}

void CopyCount(const Ref<TStream>& from, const Ref<TStream>& to, int count, int bufferSize) {
  std::vector<unsigned char> buffer(static_cast<std::size_t>(std::max(bufferSize, 1)));
  while (count > 0) {
    const int wanted = std::min(count, static_cast<int>(buffer.size()));
    // Only bytes actually read are written: a source that ends early is an error, not a
    // reason to copy stale buffer contents.
    const int got = from->ReadAvailable(buffer.data(), wanted);
    to->WriteBlock(buffer.data(), got);
    if (got < wanted) throw TStreamReadException();
    count -= got;
  }
}

}  // namespace corvax
