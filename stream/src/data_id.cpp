#include <corvax/stream/data_id.h>

#include <string>

namespace corvax {

int TDataId::Compare(const Object* other) const {
  if (const auto* id = dynamic_cast<const TDataId*>(other)) {
    return (id_ > id->id_) - (id_ < id->id_);
  }
  return Object::Compare(other);
}

String TDataId::ToString() const {
  return From8Bit(std::to_string(id_));
}

}  // namespace corvax
