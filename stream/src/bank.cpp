#include <corvax/stream/bank.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include <corvax/runtime/exceptions.h>
#include <corvax/stream/bank_data_type.h>
#include <corvax/stream/open_url.h>
#include <corvax/stream/stream_close_guard.h>

namespace corvax {
namespace {

void CheckSize(int size) {
  if (size < 0) ThrowRuntimeError(u"Bank size must not be negative");
}

// Left uninitialised, as make_unique_for_overwrite leaves it (which libc++ 13, the browser
// build's, lacks).
std::unique_ptr<unsigned char[]> Allocate(int size) {
  return std::unique_ptr<unsigned char[]>(new unsigned char[static_cast<std::size_t>(size)]);
}

}  // namespace

TBank::~TBank() = default;

Ref<TDataType> TBank::GetDataType() const {
  return TBankDataType::Instance();
}

void TBank::Resize(int newSize) {
  CheckSize(newSize);
  if (capacity_ < newSize) {
    const auto grown = static_cast<std::int64_t>(capacity_) * 3 / 2;
    const int capacity = static_cast<int>(std::clamp<std::int64_t>(grown, newSize, INT_MAX));
    std::unique_ptr<unsigned char[]> buffer = Allocate(capacity);
    // A static bank may be resized below its size; only what fits is kept.
    const int kept = std::min(size_, newSize);
    if (kept > 0) std::memcpy(buffer.get(), buffer_, static_cast<std::size_t>(kept));
    owned_ = std::move(buffer);
    buffer_ = owned_.get();
    capacity_ = capacity;
  }
  size_ = newSize;
}

void TBank::CheckRange(int offset, int count) const {
  if (offset < 0 || count < 0 || offset > size_ - count) throw TArrayBoundsException();
}

int TBank::ReadFromStream(TStream& stream, int offset, int count) {
  CheckRange(offset, count);
  return stream.Read(buffer_ + offset, count);
}

int TBank::WriteToStream(TStream& stream, int offset, int count) {
  CheckRange(offset, count);
  return stream.Write(buffer_ + offset, count);
}

template <class T>
T TBank::Peek(int offset) const {
  CheckRange(offset, sizeof(T));
  T value;
  std::memcpy(&value, buffer_ + offset, sizeof(T));
  return value;
}

template <class T>
void TBank::Poke(int offset, T value) {
  CheckRange(offset, sizeof(T));
  std::memcpy(buffer_ + offset, &value, sizeof(T));
}

int TBank::PeekU8(int offset) const {
  return Peek<std::uint8_t>(offset);
}
void TBank::PokeU8(int offset, int value) {
  Poke(offset, static_cast<std::uint8_t>(value));
}
int TBank::PeekU16(int offset) const {
  return Peek<std::uint16_t>(offset);
}
void TBank::PokeU16(int offset, int value) {
  Poke(offset, static_cast<std::uint16_t>(value));
}
std::int32_t TBank::PeekI32(int offset) const {
  return Peek<std::int32_t>(offset);
}
void TBank::PokeI32(int offset, std::int32_t value) {
  Poke(offset, value);
}
std::int64_t TBank::PeekI64(int offset) const {
  return Peek<std::int64_t>(offset);
}
void TBank::PokeI64(int offset, std::int64_t value) {
  Poke(offset, value);
}
float TBank::PeekF32(int offset) const {
  return Peek<float>(offset);
}
void TBank::PokeF32(int offset, double value) {
  Poke(offset, static_cast<float>(value));
}
double TBank::PeekF64(int offset) const {
  return Peek<double>(offset);
}
void TBank::PokeF64(int offset, double value) {
  Poke(offset, value);
}

bool TBank::SaveTo(const Url& url) {
  const Ref<TStream> stream = OpenWriteStream(url);
  if (!stream) return 0;
  stream->WriteBlock(buffer_, size_);
  stream->Close();
  return 1;
}

Ref<TBank> TBank::LoadFrom(const Url& url) {
  const Ref<TStream> stream = OpenReadStream(url);
  if (!stream) return nullptr;
  StreamCloseGuard guard(stream);
  // Through a wrapper whose Close leaves the stream open: the guard closes it either way.
  const std::vector<std::uint8_t> bytes = LoadBytes(stream);
  guard.Close();
  Ref<TBank> bank = CreateBank(static_cast<int>(bytes.size()));
  if (!bytes.empty()) std::memcpy(bank->buffer_, bytes.data(), bytes.size());
  return bank;
}

Ref<TBank> TBank::CreateBank(int size) {
  CheckSize(size);
  return Ref<TBank>(new TBank(Allocate(size), size, size));
}

Ref<TBank> TBank::CreateStaticBank(void* buffer, int size) {
  CheckSize(size);
  return Ref<TBank>(new TBank(static_cast<unsigned char*>(buffer), size));
}

Ref<TBank> CreateBank(int size) {
  return TBank::CreateBank(size);
}
Ref<TBank> CreateStaticBank(void* buffer, int size) {
  return TBank::CreateStaticBank(buffer, size);
}
Ref<TBank> LoadBank(const Url& url) {
  return TBank::LoadFrom(url);
}
bool SaveBank(const Ref<TBank>& bank, const Url& url) {
  return bank->SaveTo(url);
}
unsigned char* BankBuffer(const Ref<TBank>& bank) {
  return bank->Buffer();
}
unsigned char* LockBank(const Ref<TBank>& bank) {
  return bank->Lock();
}
void UnlockBank(const Ref<TBank>& bank) {
  bank->Unlock();
}
int BankSize(const Ref<TBank>& bank) {
  return bank->Size();
}
int BankCapacity(const Ref<TBank>& bank) {
  return bank->Capacity();
}
void ResizeBank(const Ref<TBank>& bank, int newSize) {
  bank->Resize(newSize);
}
int ReadBank(const Ref<TBank>& bank, const Ref<TStream>& stream, int offset, int count) {
  return bank->ReadFromStream(*stream, offset, count);
}
int WriteBank(const Ref<TBank>& bank, const Ref<TStream>& stream, int offset, int count) {
  return bank->WriteToStream(*stream, offset, count);
}

int PeekU8(const Ref<TBank>& bank, int offset) {
  return bank->PeekU8(offset);
}
void PokeU8(const Ref<TBank>& bank, int offset, int value) {
  bank->PokeU8(offset, value);
}
int PeekU16(const Ref<TBank>& bank, int offset) {
  return bank->PeekU16(offset);
}
void PokeU16(const Ref<TBank>& bank, int offset, int value) {
  bank->PokeU16(offset, value);
}
std::int32_t PeekI32(const Ref<TBank>& bank, int offset) {
  return bank->PeekI32(offset);
}
void PokeI32(const Ref<TBank>& bank, int offset, std::int32_t value) {
  bank->PokeI32(offset, value);
}
std::int64_t PeekI64(const Ref<TBank>& bank, int offset) {
  return bank->PeekI64(offset);
}
void PokeI64(const Ref<TBank>& bank, int offset, std::int64_t value) {
  bank->PokeI64(offset, value);
}
float PeekF32(const Ref<TBank>& bank, int offset) {
  return bank->PeekF32(offset);
}
void PokeF32(const Ref<TBank>& bank, int offset, double value) {
  bank->PokeF32(offset, value);
}
double PeekF64(const Ref<TBank>& bank, int offset) {
  return bank->PeekF64(offset);
}
void PokeF64(const Ref<TBank>& bank, int offset, double value) {
  bank->PokeF64(offset, value);
}

void CopyBankBytes(const Ref<TBank>& source, int sourceOffset, const Ref<TBank>& destination,
                   int destinationOffset, int count) {
  source->CheckRange(sourceOffset, count);
  destination->CheckRange(destinationOffset, count);
  if (count > 0) {
    std::memmove(destination->Buffer() + destinationOffset, source->Buffer() + sourceOffset,
                 static_cast<std::size_t>(count));
  }
}

}  // namespace corvax
