#pragma once
// Stream faults have their own base, apart from the runtime exceptions.
#include <corvax/runtime/exceptions.h>

namespace corvax {

class TStreamException : public TException {
 public:
  using TException::TException;
};

class TStreamReadException : public TStreamException {
 public:
  TStreamReadException() : TStreamException(u"Error reading from stream") {}
};

class TStreamWriteException : public TStreamException {
 public:
  TStreamWriteException() : TStreamException(u"Error writing to stream") {}
};

}  // namespace corvax
