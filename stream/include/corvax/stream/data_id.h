#pragma once
/// @file
/// @ingroup stream
/// An object or type id of a data stream, as an object so that it can sit in a TMap.
#include <cstdint>

#include <corvax/runtime/object.h>

namespace corvax {

/// An object or type id as an object, for use as a TMap key.
class TDataId : public Object {
 public:
  /// Holds id.
  explicit TDataId(std::int32_t id) : id_(id) {}
  /// The id.
  std::int32_t Id() const { return id_; }
  /// Ids order by value; against other objects, by identity.
  int Compare(const Object* other) const override;
  String ToString() const override;

  /// A new id object.
  static Ref<TDataId> CreateDataId(std::int32_t id) { return New<TDataId>(id); }

 private:
  std::int32_t id_;
};

}  // namespace corvax
