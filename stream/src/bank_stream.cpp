#include <corvax/stream/bank_stream.h>

#include <algorithm>
#include <climits>
#include <cstring>

namespace corvax {

Ref<TBankStream> TBankStream::CreateBankStreamOn(Ref<TBank> bank) {
  return Ref<TBankStream>(new TBankStream(std::move(bank)));
}

Ref<TBankStream> CreateBankStream(Ref<TBank> bank) {
  if (!bank) bank = TBank::CreateBank(0);
  return TBankStream::CreateBankStreamOn(std::move(bank));
}

int TBankStream::SeekTo(int position) {
  position_ = std::clamp(position, 0, bank_->Size());
  return position_;
}

int TBankStream::Read(void* buffer, int count) {
  const int size = bank_->Size();
  if (count < 1 || position_ >= size) return 0;
  count = std::min(count, size - position_);
  std::memcpy(buffer, bank_->Buffer() + position_, static_cast<std::size_t>(count));
  position_ += count;
  return count;
}

int TBankStream::Write(const void* buffer, int count) {
  if (count < 1 || position_ > bank_->Size()) return 0;
  const std::int64_t end = std::int64_t{position_} + count;
  if (end > INT_MAX) return 0;
  if (end > bank_->Size()) bank_->Resize(static_cast<int>(end));
  std::memcpy(bank_->Buffer() + position_, buffer, static_cast<std::size_t>(count));
  position_ += count;
  return count;
}

Ref<TStream> TBankStreamFactory::CreateStream(const Ref<Object>& url, const String&, const String&,
                                              bool, bool) {
  if (auto bank = Cast<TBank>(url)) return CreateBankStream(std::move(bank));
  return nullptr;
}

}  // namespace corvax
