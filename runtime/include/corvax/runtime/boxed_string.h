#pragma once
/// @file
/// @ingroup runtime
/// A String travelling as an object: urls, event extras, list elements, map keys.
#include <corvax/runtime/object.h>

namespace corvax {

/// A String boxed as an object; its text form is the String itself.
class TStringObject : public Object {
 public:
  /// Boxes value.
  /// @param value The String to hold.
  explicit TStringObject(String value) : value_(std::move(value)) {}
  /// @return The String held.
  /// @sa UnboxString
  const String& Value() const { return value_; }
  /// @return The String itself.
  String ToString() const override { return value_; }
  /// Strings order by code units; against other objects by identity.
  /// @param other The object to compare with.
  /// @return Negative, zero or positive.
  int Compare(const Object* other) const override;

 private:
  String value_;
};

/// A new boxed String.
/// @param value The text.
/// @return The TStringObject holding it.
/// @sa UnboxString, IsString
Ref<Object> Box(String value);
/// A new boxed String from UTF-8 text.
/// @param utf8 The text in UTF-8.
/// @return The TStringObject holding it.
Ref<Object> Box(const char* utf8);
/// The String an object holds.
/// @param object Any object, or the Null object.
/// @return Its text; the empty string for the Null object and any non-String.
/// @sa Box, IsString
String UnboxString(const Ref<Object>& object);
/// @param object Any object, or the Null object.
/// @return True when the object is a boxed String (false for the Null object).
/// @sa UnboxString
bool IsString(const Ref<Object>& object);

}  // namespace corvax
