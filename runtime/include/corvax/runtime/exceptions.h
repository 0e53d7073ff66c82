#pragma once
/// @file
/// @ingroup runtime
/// Every thrown value derives from std::exception; what() is the text form in UTF-8.
#include <exception>
#include <string>

#include <corvax/runtime/string.h>

namespace corvax {

/// Common carrier of a text form; not thrown by itself.
class TException : public std::exception {
 public:
  /// @param text The text form, also returned by what() in UTF-8.
  explicit TException(String text);
  /// @return The text form.
  const String& ToString() const noexcept { return text_; }
  /// @return The text form in UTF-8.
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  String text_;
  std::string utf8_;
};

/// The base of the runtime's own exceptions.
class TCorvException : public TException {
 public:
  using TException::TException;
};

/// Thrown on use of the Null object, for instance `->` on a null Ref.
class TNullObjectException : public TCorvException {
 public:
  TNullObjectException() : TCorvException(u"Attempt to access field or method of Null object") {}
};

/// Thrown on a call of an operation a class left abstract.
class TNullMethodException : public TCorvException {
 public:
  TNullMethodException() : TCorvException(u"Attempt to call abstract method") {}
};

/// Thrown on a call through a function pointer never set.
class TNullFunctionException : public TCorvException {
 public:
  TNullFunctionException() : TCorvException(u"Attempt to call uninitialized function pointer") {}
};

/// Thrown on an Array index outside 0..Length()-1.
class TArrayBoundsException : public TCorvException {
 public:
  TArrayBoundsException() : TCorvException(u"Attempt to index array element beyond array length") {}
};

/// Thrown on reading past the end of data.
class TOutOfDataException : public TCorvException {
 public:
  TOutOfDataException() : TCorvException(u"Attempt to read beyond end of data") {}
};

/// A runtime error: the text form is its message.
class TRuntimeException : public TCorvException {
 public:
  /// @param message The message, which is the text form.
  /// @sa ThrowRuntimeError
  explicit TRuntimeException(String message) : TCorvException(std::move(message)) {}
  /// @return The message, the same as the text form.
  const String& Message() const noexcept { return ToString(); }
};

/// A String thrown as the exception value itself.
class TThrownString : public TException {
 public:
  /// @param value The String thrown, which is the text form.
  explicit TThrownString(String value) : TException(std::move(value)) {}
  /// @return The String that was thrown.
  const String& Value() const noexcept { return ToString(); }
};

/// Throws TRuntimeException with the message.
/// @param message The exception's message.
[[noreturn]] void ThrowRuntimeError(String message);

}  // namespace corvax
