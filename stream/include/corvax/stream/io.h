#pragma once
/// @file
/// @ingroup stream
/// The raw byte interface every stream implements. Position -1 means the stream cannot seek.
#include <corvax/runtime/object.h>

namespace corvax {

/// Raw bytes in and out; the base of every stream. The defaults make a closed, empty
/// stream that can neither seek, read nor write.
class TIO : public Object {
 public:
  /// @return Whether the data has ended; by default, Position() equals Length().
  virtual bool AtEnd();
  /// @return The byte position, or -1 when the stream cannot seek.
  /// @sa SeekTo
  virtual int Position() { return -1; }
  /// @return The length in bytes; 0 when unknown.
  virtual int Length() { return 0; }
  /// @param position The byte position to move to.
  /// @return The new position, or -1 when the stream cannot seek.
  /// @sa Position
  virtual int SeekTo(int position);
  /// Pushes buffered bytes out.
  /// @return 0 on success, -1 on failure.
  virtual int Flush() { return 0; }
  /// Releases what the stream holds.
  /// @return 0 on success, -1 on failure.
  virtual int Close() { return 0; }
  /// Reads up to count bytes. By default this throws the runtime error "Stream is not readable".
  /// @param buffer Where the bytes go.
  /// @param count The number of bytes asked for.
  /// @return The number of bytes moved; 0 at the end of data.
  /// @sa TStream::ReadBlock
  virtual int Read(void* buffer, int count);
  /// Writes up to count bytes. By default this throws the runtime error "Stream is not writeable".
  /// @param buffer The bytes.
  /// @param count Their number.
  /// @return The number of bytes moved.
  /// @sa TStream::WriteBlock
  virtual int Write(const void* buffer, int count);
};

}  // namespace corvax
