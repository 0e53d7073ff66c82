#include <corvax/runtime/exceptions.h>

namespace corvax {

TException::TException(String text) : text_(std::move(text)), utf8_(ToUtf8(text_)) {}

void ThrowRuntimeError(String message) {
  throw TRuntimeException(std::move(message));
}

}  // namespace corvax
