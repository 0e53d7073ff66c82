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
  /// The url the object or text names.
  ///@{
  Url(Ref<Object> object) : object_(std::move(object)) {}
  template <class T>
  Url(const Ref<T>& object) : object_(object) {}
  Url(std::nullptr_t) {}
  Url(const String& text) : object_(Box(text)) {}
  Url(const char16_t* text) : object_(Box(String(text))) {}
  Url(const char* utf8) : object_(Box(utf8)) {}
  Url(const std::string& utf8) : object_(Box(utf8.c_str())) {}
  ///@}

  /// The url as the object factories receive.
  const Ref<Object>& AsObject() const { return object_; }

 private:
  Ref<Object> object_;
};

}  // namespace corvax
