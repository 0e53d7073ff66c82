#pragma once
/// @file
/// A String travelling as an object: urls, event extras, list elements, map keys.
/// Start-up: StartupCorvax() from <corvax/corvax.h>, or StartupRuntimeModule() for this module
/// alone, before any other call.
#include <corvax/runtime/object.h>

namespace corvax {

class TStringObject : public Object {
 public:
  explicit TStringObject(String value) : value_(std::move(value)) {}
  const String& Value() const { return value_; }
  String ToString() const override { return value_; }
  /// Strings order by code units; against other objects by identity.
  int Compare(const Object* other) const override;

 private:
  String value_;
};

Ref<Object> Box(String value);
Ref<Object> Box(const char* utf8);
/// The String an object holds; the empty string for the Null object and any non-String.
String UnboxString(const Ref<Object>& object);
bool IsString(const Ref<Object>& object);

}  // namespace corvax
