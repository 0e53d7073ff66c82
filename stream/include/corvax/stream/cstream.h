#pragma once
/// @file
/// @ingroup stream
/// A stream over a C stdio file.
#include <cstdio>

#include <corvax/stream/stream.h>

namespace corvax {

/// A stream over a C stdio file; seekable, with the file's length.
class TCStream final : public TStream {
 public:
  /// The access the file was opened for.
  enum Mode {
    MODE_READ = 1,
    MODE_WRITE = 2,
    MODE_READ_WRITE = 3,
    /// Deprecated: the earlier names, kept so that programs using them build.
    kRead = MODE_READ,
    kWrite = MODE_WRITE,
    kReadWrite = MODE_READ_WRITE
  };

  ~TCStream() override = default;

  int Position() override { return position_; }
  int Length() override { return length_; }
  int SeekTo(int position) override;
  /// @return 0, or -1 when buffered bytes could not be written out.
  int Flush() override;
  /// Flushes and closes the file. A second Close does nothing.
  /// @return 0, or -1 when that failed.
  int Close() override;
  int Read(void* buffer, int count) override;
  int Write(const void* buffer, int count) override;
  /// The generic line reader, byte for byte, without a call per byte.
  /// @return The line.
  String ReadTextLine() override;

  /// Both flags: "r+b"; writeable only: "wb" (creates or truncates); otherwise "rb". Backslashes in
  /// the path become slashes.
  /// @param path The file's path.
  /// @param readable Whether to read.
  /// @param writeable Whether to write.
  /// @return The stream; Null when the file cannot be opened or is a directory.
  static Ref<TCStream> OpenFile(const String& path, bool readable, bool writeable);
  /// Takes over an open file at its current offset.
  /// @param file The open file.
  /// @param mode The Mode it was opened with.
  /// @return The stream.
  static Ref<TCStream> FromFileHandle(std::FILE* file, int mode);

  /// @return The file; nullptr once closed.
  std::FILE* FileHandle() const { return file_; }
  /// @return The Mode the stream was opened with.
  int FileMode() const { return mode_; }

 private:
  TCStream() = default;
  int position_ = 0;
  int length_ = 0;
  std::FILE* file_ = nullptr;
  int mode_ = kRead;
};

}  // namespace corvax
