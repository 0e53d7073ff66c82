#pragma once
/// @file
/// @ingroup stream
/// Stream faults have their own base, apart from the runtime exceptions.
#include <corvax/runtime/exceptions.h>

namespace corvax {

/// The base of stream faults; loaders treat it as "not my format".
class TStreamException : public TException {
 public:
  using TException::TException;
};

/// A read that failed before the end of data.
class TStreamReadException : public TStreamException {
 public:
  TStreamReadException() : TStreamException(u"Error reading from stream") {}
};

/// A write that could not put all its bytes.
class TStreamWriteException : public TStreamException {
 public:
  TStreamWriteException() : TStreamException(u"Error writing to stream") {}
};

}  // namespace corvax
