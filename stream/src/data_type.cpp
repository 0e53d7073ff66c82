#include <corvax/stream/data_type.h>

namespace corvax {
namespace {

// Never destroyed, so exit actions can still serialise after static destructors ran.
Ref<TDataType>& ChainHead() {
  static auto* head = new Ref<TDataType>();
  return *head;
}

}  // namespace

TDataType::TDataType() {
  next_ = ChainHead();
  ChainHead() = Ref<TDataType>(this);
}

void TDataType::AfterRead(const Ref<Object>&, TStream&) {}

bool TDataType::Adopts(const Object&) const {
  return false;
}

Ref<TDataType> TDataType::FirstDataType() {
  return ChainHead();
}

Ref<TDataType> FindDataType(const String& name) {
  for (auto type = TDataType::FirstDataType(); type; type = type->NextDataType()) {
    if (type->TypeName() == name) return type;
  }
  return nullptr;
}

Ref<TDataType> DataTypeOf(const Ref<Object>& object) {
  if (!object) return nullptr;
  if (auto data = Cast<TData>(object)) return data->GetDataType();
  for (auto type = TDataType::FirstDataType(); type; type = type->NextDataType()) {
    if (type->Adopts(*object)) return type;
  }
  return nullptr;
}

}  // namespace corvax
