#include <corvax/stream/bank_data_type.h>

#include <algorithm>

#include <corvax/runtime/immortal.h>
#include <corvax/stream/bank.h>
#include <corvax/stream/data_input.h>

namespace corvax {
namespace {

// What a stream that cannot tell its length gets allocated before its bytes arrive.
constexpr int kUnverifiedChunk = 1 << 20;

}  // namespace

const Ref<TBankDataType>& TBankDataType::Instance() {
  // Never destroyed, like the registry chain that also holds it.
  static auto* const instance = &MakeImmortal<Ref<TBankDataType>>(New<TBankDataType>());
  return *instance;
}

Ref<Object> TBankDataType::ReadInstance(TStream& stream) {
  const std::int32_t size = stream.ReadI32();
  CheckStoredSize(stream, size);
  const bool verified = stream.Position() >= 0;
  Ref<TBank> bank = TBank::CreateBank(verified ? size : std::min(size, kUnverifiedChunk));
  int filled = 0;
  for (;;) {
    ReadStoredBytes(stream, bank->Buffer() + filled, bank->Size() - filled);
    filled = bank->Size();
    if (filled == size) return bank;
    // Memory grows only as fast as the bytes actually arrive.
    bank->Resize(static_cast<int>(std::min<std::int64_t>(size, std::int64_t{filled} * 2)));
  }
}

void TBankDataType::WriteInstance(const Ref<Object>& object, TStream& stream) {
  const Ref<TBank> bank = Cast<TBank>(object);
  stream.WriteI32(bank->Size());
  stream.WriteBlock(bank->Buffer(), bank->Size());
}

}  // namespace corvax
