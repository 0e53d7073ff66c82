#include <corvax/stream/data_type.h>

namespace corvax {
namespace {

RegistrationChain<TDataType>& DataTypes() {
  return RegistrationChain<TDataType>::Global();
}

}  // namespace

TDataType::TDataType() {
  DataTypes().PushFront(*this);
}

void TDataType::AfterRead(const Ref<Object>&, TStream&) {}

bool TDataType::Adopts(const Object&) const {
  return false;
}

Ref<TDataType> TDataType::FirstDataType() {
  return DataTypes().First();
}

Ref<TDataType> FindDataType(const String& name) {
  return DataTypes().FirstAnswer(
      [&](const Ref<TDataType>& type) { return type->TypeName() == name ? type : nullptr; });
}

Ref<TDataType> DataTypeOf(const Ref<Object>& object) {
  if (!object) return nullptr;
  if (auto data = Cast<TData>(object)) return data->GetDataType();
  return DataTypes().FirstAnswer(
      [&](const Ref<TDataType>& type) { return type->Adopts(*object) ? type : nullptr; });
}

}  // namespace corvax
