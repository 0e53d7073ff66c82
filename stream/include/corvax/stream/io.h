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
  /// By default: Position() equals Length().
  virtual bool AtEnd();
  /// The byte position, or -1 when the stream cannot seek.
  virtual int Position() { return -1; }
  /// The length in bytes; 0 when unknown.
  virtual int Length() { return 0; }
  /// The new position, or -1 when the stream cannot seek.
  virtual int SeekTo(int position);
  /// Pushes buffered bytes out; 0 on success, -1 on failure.
  virtual int Flush() { return 0; }
  /// Releases what the stream holds; 0 on success, -1 on failure.
  virtual int Close() { return 0; }
  /// The number of bytes moved; 0 at the end of data. By default these throw the runtime errors
  /// "Stream is not readable" and "Stream is not writeable".
  ///@{
  virtual int Read(void* buffer, int count);
  virtual int Write(const void* buffer, int count);
  ///@}
};

}  // namespace corvax
