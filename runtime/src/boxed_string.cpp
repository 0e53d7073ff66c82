#include <corvax/runtime/boxed_string.h>

namespace corvax {

int TStringObject::Compare(const Object* other) const {
  if (const auto* text = dynamic_cast<const TStringObject*>(other)) {
    return value_.compare(text->value_) < 0 ? -1 : (value_ == text->value_ ? 0 : 1);
  }
  return Object::Compare(other);
}

Ref<Object> Box(String value) {
  return New<TStringObject>(std::move(value));
}

Ref<Object> Box(const char* utf8) {
  return Box(FromUtf8(utf8 ? utf8 : ""));
}

String UnboxString(const Ref<Object>& object) {
  const auto* text = dynamic_cast<const TStringObject*>(object.get());
  return text ? text->Value() : String();
}

bool IsString(const Ref<Object>& object) {
  return dynamic_cast<const TStringObject*>(object.get()) != nullptr;
}

}  // namespace corvax
