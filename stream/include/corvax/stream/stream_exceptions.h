#pragma once
/// @file
/// Stream faults have their own base, apart from the runtime exceptions.
/// Start-up: StartupCorvax() from <corvax/corvax.h>, or StartupStreamModule() for this module
/// alone, before any other call.
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
