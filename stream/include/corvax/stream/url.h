#pragma once
/// @file
/// @ingroup stream
/// A url is any object: a stream, a String (protocol "::" path, or a plain file path), or
/// another object that some factory understands. Url lets callers pass any of them directly.
#include <string>

#include <corvax/runtime/boxed_string.h>

namespace corvax {

/// Anything a url may be, for parameters: an object, a String, UTF-16 or UTF-8 text, or nullptr
/// (the Null object). Text is boxed as a String object.
class Url {
 public:
  /// The url the object names.
  /// @param object Any object.
  Url(Ref<Object> object) : object_(std::move(object)) {}
  template <class T>
  /// The url the object names.
  /// @param object Any object.
  Url(const Ref<T>& object) : object_(object) {}
  /// The Null object.
  Url(std::nullptr_t) {}
  /// The url the text names.
  /// @param text Boxed as a String object.
  Url(const String& text) : object_(Box(text)) {}
  /// @param text UTF-16 text, boxed as a String object.
  Url(const char16_t* text) : object_(Box(String(text))) {}
  /// @param utf8 UTF-8 text, boxed as a String object.
  Url(const char* utf8) : object_(Box(utf8)) {}
  /// @param utf8 UTF-8 text, boxed as a String object.
  Url(const std::string& utf8) : object_(Box(utf8.c_str())) {}

  /// @return The url as the object factories receive.
  const Ref<Object>& AsObject() const { return object_; }

 private:
  Ref<Object> object_;
};

}  // namespace corvax
