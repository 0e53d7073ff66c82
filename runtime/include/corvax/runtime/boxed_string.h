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
  explicit TStringObject(String value) : value_(std::move(value)) {}
  /// The String held.
  const String& Value() const { return value_; }
  String ToString() const override { return value_; }
  /// Strings order by code units; against other objects by identity.
  int Compare(const Object* other) const override;

 private:
  String value_;
};

/// A new boxed String; Box(const char*) takes UTF-8.
///@{
Ref<Object> Box(String value);
Ref<Object> Box(const char* utf8);
///@}
/// The String an object holds; the empty string for the Null object and any non-String.
String UnboxString(const Ref<Object>& object);
/// True when the object is a boxed String (false for the Null object).
bool IsString(const Ref<Object>& object);

}  // namespace corvax
