#pragma once
/// @file
/// @ingroup stream
/// Lists as data: the element count, then each element as an object reference.
#include <corvax/runtime/list.h>
#include <corvax/stream/data_type.h>

namespace corvax {

/// The data type of TList, "KVT.LinkedList.TList": the count, then each element.
class TListDataType : public TDataType {
 public:
  String TypeName() const override { return u"KVT.LinkedList.TList"; }
  Ref<Object> ReadInstance(TStream& stream) override;
  void WriteInstance(const Ref<Object>& object, TStream& stream) override;
  /// @param object Any object.
  /// @return True for a TList.
  bool Adopts(const Object& object) const override;
};

}  // namespace corvax
