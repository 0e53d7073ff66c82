#pragma once
/// @file
/// Every thrown value derives from std::exception; what() is the text form in UTF-8.
/// Start-up: StartupCorvax() from <corvax/corvax.h>, or StartupRuntimeModule() for this module
/// alone, before any other call.
#include <exception>
#include <string>

#include <corvax/runtime/string.h>

namespace corvax {

/// Common carrier of a text form; not thrown by itself.
class TException : public std::exception {
 public:
  explicit TException(String text);
  const String& ToString() const noexcept { return text_; }
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  String text_;
  std::string utf8_;
};

class TCorvException : public TException {
 public:
  using TException::TException;
};

class TNullObjectException : public TCorvException {
 public:
  TNullObjectException() : TCorvException(u"Attempt to access field or method of Null object") {}
};

class TNullMethodException : public TCorvException {
 public:
  TNullMethodException() : TCorvException(u"Attempt to call abstract method") {}
};

class TNullFunctionException : public TCorvException {
 public:
  TNullFunctionException() : TCorvException(u"Attempt to call uninitialized function pointer") {}
};

class TArrayBoundsException : public TCorvException {
 public:
  TArrayBoundsException() : TCorvException(u"Attempt to index array element beyond array length") {}
};

class TOutOfDataException : public TCorvException {
 public:
  TOutOfDataException() : TCorvException(u"Attempt to read beyond end of data") {}
};

/// A runtime error: the text form is its message.
class TRuntimeException : public TCorvException {
 public:
  explicit TRuntimeException(String message) : TCorvException(std::move(message)) {}
  const String& Message() const noexcept { return ToString(); }
};

/// A String thrown as the exception value itself.
class TThrownString : public TException {
 public:
  explicit TThrownString(String value) : TException(std::move(value)) {}
  const String& Value() const noexcept { return ToString(); }
};

[[noreturn]] void ThrowRuntimeError(String message);

}  // namespace corvax
