#pragma once
/// @file
/// The raw byte interface every stream implements. Position -1 means the stream cannot seek.
/// Start-up: StartupCorvax() from <corvax/corvax.h>, or StartupStreamModule() for this module
/// alone, before any other call.
#include <corvax/runtime/object.h>

namespace corvax {

class TIO : public Object {
 public:
  /// By default: Position() equals Length().
  virtual bool AtEnd();
  virtual int Position() { return -1; }
  virtual int Length() { return 0; }
  /// The new position, or -1 when the stream cannot seek.
  virtual int SeekTo(int position);
  virtual int Flush() { return 0; }
  virtual int Close() { return 0; }
  /// The number of bytes moved; 0 at the end of data. By default these throw the runtime errors
  /// "Stream is not readable" and "Stream is not writeable".
  virtual int Read(void* buffer, int count);
  virtual int Write(const void* buffer, int count);
};

}  // namespace corvax
