#include <corvax/stream/ram_stream.h>

#include <algorithm>
#include <cstring>

#include <corvax/stream/embedded_files.h>

namespace corvax {

Ref<TRamStream> TRamStream::CreateRamStream(void* data, int size, bool readable, bool writeable) {
  return Ref<TRamStream>(new TRamStream(data, std::max(size, 0), readable, writeable));
}

Ref<TRamStream> CreateRamStream(void* data, int size, bool readable, bool writeable) {
  return TRamStream::CreateRamStream(data, size, readable, writeable);
}

int TRamStream::SeekTo(int position) {
  position_ = std::clamp(position, 0, size_);
  return position_;
}

int TRamStream::Read(void* buffer, int count) {
  if (count <= 0 || !readable_) return 0;
  count = std::min(count, size_ - position_);
  if (count > 0) std::memcpy(buffer, data_ + position_, static_cast<std::size_t>(count));
  position_ += count;
  return count;
}

int TRamStream::Write(const void* buffer, int count) {
  if (count <= 0 || !writeable_) return 0;
  count = std::min(count, size_ - position_);
  if (count > 0) std::memcpy(data_ + position_, buffer, static_cast<std::size_t>(count));
  position_ += count;
  return count;
}

Ref<TStream> TRamStreamFactory::CreateStream(const Ref<Object>&, const String& protocol,
                                             const String& path, bool readable, bool writeable) {
  if (protocol != u"incbin" || writeable) return nullptr;
  const void* data = EmbeddedFileData(path);
  if (!data) return nullptr;
  // Embedded bytes are never written: the stream is created without the writeable flag.
  return CreateRamStream(const_cast<void*>(data), EmbeddedFileSize(path), readable, false);
}

}  // namespace corvax
