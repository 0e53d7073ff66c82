#include <corvax/runtime/object.h>

#include <cxxabi.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <typeinfo>

#include <corvax/runtime/exceptions.h>

namespace corvax {

void ThrowNullObject() {
  throw TNullObjectException();
}

String Object::ToString() const {
  const char* mangled = typeid(*this).name();
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> demangled(
      abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
  std::string name = status == 0 ? demangled.get() : mangled;
  if (const auto colon = name.rfind("::"); colon != std::string::npos) name.erase(0, colon + 2);
  return From8Bit(name);
}

int Object::Compare(const Object* other) const {
  if (std::less<const Object*>()(this, other)) return -1;
  return this == other ? 0 : 1;
}

String ToString(const Ref<Object>& object) {
  return object ? object->ToString() : String(u"Null");
}

int Compare(const Ref<Object>& a, const Ref<Object>& b) {
  if (!a) return b ? -1 : 0;
  if (!b) return 1;
  return a->Compare(b.get());
}

}  // namespace corvax
