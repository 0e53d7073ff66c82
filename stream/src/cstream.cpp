#include <corvax/stream/cstream.h>

#include <sys/stat.h>

#include <corvax/runtime/application_entry.h>

#include "native_files.h"

namespace corvax {

Ref<TCStream> TCStream::OpenFile(const String& path, bool readable, bool writeable) {
  const char* mode = "rb";
  int modeNumber = MODE_READ;
  if (readable && writeable) {
    mode = "r+b";
    modeNumber = MODE_READ_WRITE;
  } else if (writeable) {
    mode = "wb";
    modeNumber = MODE_WRITE;
  }
  std::FILE* file = native::OpenFile(ToForwardSlashes(path), mode);
  if (!file) return nullptr;
  // The C library opens a directory for reading too, but it holds no bytes to read.
  struct stat status;
  if (fstat(fileno(file), &status) == 0 && S_ISDIR(status.st_mode)) {
    std::fclose(file);
    return nullptr;
  }
  return FromFileHandle(file, modeNumber);
}

Ref<TCStream> TCStream::FromFileHandle(std::FILE* file, int mode) {
  Ref<TCStream> stream(new TCStream());
  stream->file_ = file;
  stream->mode_ = mode;
  stream->position_ = static_cast<int>(ftello(file));
  fseeko(file, 0, SEEK_END);
  stream->length_ = static_cast<int>(ftello(file));
  fseeko(file, stream->position_, SEEK_SET);
  return stream;
}

int TCStream::SeekTo(int position) {
  if (!file_) return position_;
  fseeko(file_, position, SEEK_SET);
  position_ = static_cast<int>(ftello(file_));
  return position_;
}

int TCStream::Flush() {
  if (file_ && std::fflush(file_) != 0) return -1;
  return 0;
}

int TCStream::Close() {
  if (!file_) return 0;
  // Buffered bytes reach the file only now, so a full disk shows here: report it.
  const bool flushed = Flush() == 0;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  position_ = 0;
  length_ = 0;
  return flushed && closed ? 0 : -1;
}

int TCStream::Read(void* buffer, int count) {
  if (!file_ || count <= 0) return 0;
  const int n = static_cast<int>(native::ReadBytes(buffer, static_cast<std::size_t>(count), file_));
  position_ += n;
  return n;
}

int TCStream::Write(const void* buffer, int count) {
  if (!file_ || count <= 0) return 0;
  const int n =
      static_cast<int>(native::WriteBytes(buffer, static_cast<std::size_t>(count), file_));
  position_ += n;
  if (position_ > length_) length_ = position_;
  return n;
}

String TCStream::ReadTextLine() {
  String line;
  if (!file_) return line;
  for (;;) {
    const int byte = native::ReadByte(file_);
    if (byte == EOF) break;
    ++position_;
    if (byte == 0 || byte == '\n') break;
    if (byte != '\r') line += static_cast<char16_t>(byte);
  }
  return line;
}

}  // namespace corvax
