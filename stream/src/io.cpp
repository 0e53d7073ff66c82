#include <corvax/stream/io.h>

#include <corvax/runtime/exceptions.h>

namespace corvax {

bool TIO::AtEnd() {
  return Position() == Length();
}

int TIO::SeekTo(int) {
  return -1;
}

int TIO::Read(void*, int) {
  ThrowRuntimeError(u"Stream is not readable");
}

int TIO::Write(const void*, int) {
  ThrowRuntimeError(u"Stream is not writeable");
}

}  // namespace corvax
