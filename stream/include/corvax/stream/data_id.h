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
  /// @param id The id held.
  explicit TDataId(std::int32_t id) : id_(id) {}
  /// @return The id.
  std::int32_t Id() const { return id_; }
  /// Ids order by value; against other objects, by identity.
  /// @param other The object to compare with.
  /// @return Negative, zero or positive.
  int Compare(const Object* other) const override;
  String ToString() const override;

  /// @param id The id.
  /// @return A new id object.
  static Ref<TDataId> CreateDataId(std::int32_t id) { return New<TDataId>(id); }

 private:
  std::int32_t id_;
};

}  // namespace corvax
