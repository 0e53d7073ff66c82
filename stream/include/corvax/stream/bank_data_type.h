#pragma once
/// @file
/// @ingroup stream
/// Banks as data: the size as an I32, then the bytes.
#include <corvax/stream/data_type.h>

namespace corvax {

/// The data type of banks, "KVT.Bank.TBank": the size as an I32, then the bytes.
class TBankDataType : public TDataType {
 public:
  String TypeName() const override { return u"KVT.Bank.TBank"; }
  /// A stored size that is negative or more than the stream still holds throws
  /// TStreamReadException; nothing is allocated for it.
  /// @param stream The stream to read.
  /// @return The new bank.
  Ref<Object> ReadInstance(TStream& stream) override;
  void WriteInstance(const Ref<Object>& object, TStream& stream) override;

  /// @return The one bank data type, made on first use (module start-up makes it).
  static const Ref<TBankDataType>& Instance();
};

}  // namespace corvax
