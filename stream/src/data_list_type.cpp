#include <corvax/stream/data_list_type.h>

#include <corvax/runtime/list.h>
#include <corvax/stream/data_input.h>

namespace corvax {

Ref<Object> TListDataType::ReadInstance(TStream& stream) {
  const std::int32_t count = stream.ReadI32();
  // Every element takes at least one byte, so a count the stream cannot hold is a lie.
  CheckStoredSize(stream, count);
  auto list = New<TList>();
  for (std::int32_t i = 0; i < count; ++i) {
    // A stream that cannot tell its length is caught here instead, before a run of Nulls.
    if (stream.AtEnd()) throw TStreamReadException();
    list->AddLast(stream.ReadObject());
  }
  return list;
}

void TListDataType::WriteInstance(const Ref<Object>& object, TStream& stream) {
  const Ref<TList> list = Cast<TList>(object);
  stream.WriteI32(list->Count());
  for (const Ref<Object>& element : *list) stream.WriteObject(element);
}

bool TListDataType::Adopts(const Object& object) const {
  return dynamic_cast<const TList*>(&object) != nullptr;
}

}  // namespace corvax
