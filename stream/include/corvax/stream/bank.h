#pragma once
/// @file
/// @ingroup stream
/// Memory blocks: a resizable run of bytes with typed little-endian peeks and pokes.
#include <cstdint>
#include <memory>

#include <corvax/stream/data_type.h>
#include <corvax/stream/url.h>

namespace corvax {

/// A resizable block of bytes with typed little-endian peeks and pokes; serialisable.
class TBank : public TData {
 public:
  ~TBank() override;

  /// @return The bank data type, "KVT.Bank.TBank".
  Ref<TDataType> GetDataType() const override;

  /// @return The bytes; they move when Resize reallocates.
  /// @sa Lock
  unsigned char* Buffer() const { return buffer_; }
  /// Counts one lock more; the lock count is a counter for callers, nothing else consults it.
  /// @return The bytes, as Buffer.
  /// @sa Unlock, LockCount
  unsigned char* Lock() {
    ++locks_;
    return buffer_;
  }
  /// Counts one lock fewer.
  /// @sa Lock
  void Unlock() { --locks_; }
  /// @return Locks minus unlocks so far.
  int LockCount() const { return locks_; }
  /// @return The size in bytes.
  /// @sa Resize, Capacity
  int Size() const { return size_; }
  /// @return Bytes allocated and owned, or -1 while the memory belongs to someone else.
  int Capacity() const { return capacity_; }

  /// Growing past the capacity allocates max(capacity * 3 / 2, newSize) bytes and keeps the
  /// contents; shrinking never reallocates. A static bank gets a block of its own on its first
  /// resize. A negative size throws a runtime error.
  /// @param newSize The new size in bytes.
  void Resize(int newSize);

  /// One raw Read of count bytes into the bank at offset; the range is checked as for peeks.
  /// @param stream The stream to read.
  /// @param offset Where the bytes go in the bank.
  /// @param count The number of bytes asked for.
  /// @return The byte count the Read moved.
  /// @sa WriteToStream
  int ReadFromStream(TStream& stream, int offset, int count);
  /// One raw Write of count bytes of the bank from offset; the range is checked as for peeks.
  /// @param stream The stream to write.
  /// @param offset Where the bytes start in the bank.
  /// @param count The number of bytes to write.
  /// @return The byte count the Write moved.
  /// @sa ReadFromStream
  int WriteToStream(TStream& stream, int offset, int count);

  /// Reads a byte, zero-extended. Offsets are checked: a value that does not lie wholly within
  /// Size() throws TArrayBoundsException (here and in every peek and poke).
  /// @param offset The byte offset.
  /// @return The value.
  /// @sa PokeU8
  int PeekU8(int offset) const;
  /// Stores the value's low byte.
  /// @param offset The byte offset.
  /// @param value The value.
  void PokeU8(int offset, int value);
  /// Reads 16 bits, little-endian and zero-extended.
  /// @param offset The byte offset.
  /// @return The value.
  int PeekU16(int offset) const;
  /// Stores the value's low 16 bits, little-endian.
  /// @param offset The byte offset.
  /// @param value The value.
  void PokeU16(int offset, int value);
  /// @param offset The byte offset.
  /// @return The signed 32-bit little-endian value there.
  std::int32_t PeekI32(int offset) const;
  /// @param offset The byte offset.
  /// @param value The value, stored little-endian.
  void PokeI32(int offset, std::int32_t value);
  /// @param offset The byte offset.
  /// @return The signed 64-bit little-endian value there.
  std::int64_t PeekI64(int offset) const;
  /// @param offset The byte offset.
  /// @param value The value, stored little-endian.
  void PokeI64(int offset, std::int64_t value);
  /// @param offset The byte offset.
  /// @return The IEEE single-precision value there.
  float PeekF32(int offset) const;
  /// @param offset The byte offset.
  /// @param value The value, rounded to single precision.
  void PokeF32(int offset, double value);
  /// @param offset The byte offset.
  /// @return The IEEE double-precision value there.
  double PeekF64(int offset) const;
  /// @param offset The byte offset.
  /// @param value The value.
  void PokeF64(int offset, double value);

  /// @param url Where the bytes go.
  /// @return true when written; false when the url cannot be opened.
  /// @sa LoadFrom
  bool SaveTo(const Url& url);
  /// @param url What to read.
  /// @return The url's whole contents in a new bank, or Null when it cannot be opened.
  /// @sa SaveTo
  static Ref<TBank> LoadFrom(const Url& url);
  /// An owned bank with undefined contents; a negative size throws a runtime error.
  /// @param size The size in bytes.
  /// @return The new bank.
  static Ref<TBank> CreateBank(int size);
  /// A bank over memory that is neither copied nor freed; it must outlive the bank or its first
  /// resize.
  /// @param buffer The memory.
  /// @param size Its size in bytes.
  /// @return The new bank.
  static Ref<TBank> CreateStaticBank(void* buffer, int size);

  /// Throws TArrayBoundsException unless offset..offset+count-1 lies within the bank.
  /// @param offset The first byte.
  /// @param count The number of bytes.
  void CheckRange(int offset, int count) const;

 private:
  // An owned buffer of capacity bytes.
  TBank(std::unique_ptr<unsigned char[]> owned, int size, int capacity)
      : owned_(std::move(owned)), buffer_(owned_.get()), size_(size), capacity_(capacity) {}
  // The caller's buffer, which stays theirs.
  TBank(unsigned char* borrowed, int size) : buffer_(borrowed), size_(size), capacity_(-1) {}
  template <class T>
  T Peek(int offset) const;
  template <class T>
  void Poke(int offset, T value);

  // Empty while the bytes belong to someone else; buffer_ points at the bytes either way.
  std::unique_ptr<unsigned char[]> owned_;
  unsigned char* buffer_;
  int size_;
  int capacity_;
  int locks_ = 0;
};

/// TBank::CreateBank as a free function. These free-function forms of TBank's operations have the
/// same results and exceptions; a Null bank throws TNullObjectException.
/// @param size The size in bytes.
/// @return The new bank.
Ref<TBank> CreateBank(int size = 0);
/// TBank::CreateStaticBank as a free function.
/// @param buffer The memory, neither copied nor freed.
/// @param size Its size in bytes.
/// @return The new bank.
Ref<TBank> CreateStaticBank(void* buffer, int size);
/// TBank::LoadFrom as a free function.
/// @param url What to read.
/// @return A new bank, or Null when the url cannot be opened.
Ref<TBank> LoadBank(const Url& url);
/// TBank::SaveTo as a free function.
/// @param bank The bank.
/// @param url Where the bytes go.
/// @return true when written; false when the url cannot be opened.
bool SaveBank(const Ref<TBank>& bank, const Url& url);
/// @param bank The bank.
/// @return TBank::Buffer of the bank.
unsigned char* BankBuffer(const Ref<TBank>& bank);
/// @param bank The bank.
/// @return TBank::Lock of the bank.
unsigned char* LockBank(const Ref<TBank>& bank);
/// TBank::Unlock of the bank.
/// @param bank The bank.
void UnlockBank(const Ref<TBank>& bank);
/// @param bank The bank.
/// @return TBank::Size of the bank.
int BankSize(const Ref<TBank>& bank);
/// @param bank The bank.
/// @return TBank::Capacity of the bank.
int BankCapacity(const Ref<TBank>& bank);
/// TBank::Resize of the bank.
/// @param bank The bank.
/// @param newSize The new size in bytes.
void ResizeBank(const Ref<TBank>& bank, int newSize);
/// TBank::ReadFromStream of the bank.
/// @param bank The bank.
/// @param stream The stream to read.
/// @param offset Where the bytes go in the bank.
/// @param count The number of bytes asked for.
/// @return The byte count moved.
int ReadBank(const Ref<TBank>& bank, const Ref<TStream>& stream, int offset, int count);
/// TBank::WriteToStream of the bank.
/// @param bank The bank.
/// @param stream The stream to write.
/// @param offset Where the bytes start in the bank.
/// @param count The number of bytes to write.
/// @return The byte count moved.
int WriteBank(const Ref<TBank>& bank, const Ref<TStream>& stream, int offset, int count);

/// TBank::PeekU8 of the bank.
/// @param bank The bank.
/// @param offset The byte offset.
/// @return The value.
int PeekU8(const Ref<TBank>& bank, int offset);
/// TBank::PokeU8 of the bank.
/// @param bank The bank.
/// @param offset The byte offset.
/// @param value The value.
void PokeU8(const Ref<TBank>& bank, int offset, int value);
/// TBank::PeekU16 of the bank.
/// @param bank The bank.
/// @param offset The byte offset.
/// @return The value.
int PeekU16(const Ref<TBank>& bank, int offset);
/// TBank::PokeU16 of the bank.
/// @param bank The bank.
/// @param offset The byte offset.
/// @param value The value.
void PokeU16(const Ref<TBank>& bank, int offset, int value);
/// TBank::PeekI32 of the bank.
/// @param bank The bank.
/// @param offset The byte offset.
/// @return The value.
std::int32_t PeekI32(const Ref<TBank>& bank, int offset);
/// TBank::PokeI32 of the bank.
/// @param bank The bank.
/// @param offset The byte offset.
/// @param value The value.
void PokeI32(const Ref<TBank>& bank, int offset, std::int32_t value);
/// TBank::PeekI64 of the bank.
/// @param bank The bank.
/// @param offset The byte offset.
/// @return The value.
std::int64_t PeekI64(const Ref<TBank>& bank, int offset);
/// TBank::PokeI64 of the bank.
/// @param bank The bank.
/// @param offset The byte offset.
/// @param value The value.
void PokeI64(const Ref<TBank>& bank, int offset, std::int64_t value);
/// TBank::PeekF32 of the bank.
/// @param bank The bank.
/// @param offset The byte offset.
/// @return The value.
float PeekF32(const Ref<TBank>& bank, int offset);
/// TBank::PokeF32 of the bank.
/// @param bank The bank.
/// @param offset The byte offset.
/// @param value The value.
void PokeF32(const Ref<TBank>& bank, int offset, double value);
/// TBank::PeekF64 of the bank.
/// @param bank The bank.
/// @param offset The byte offset.
/// @return The value.
double PeekF64(const Ref<TBank>& bank, int offset);
/// TBank::PokeF64 of the bank.
/// @param bank The bank.
/// @param offset The byte offset.
/// @param value The value.
void PokeF64(const Ref<TBank>& bank, int offset, double value);

/// Copies count bytes between banks (the ranges may overlap); both ranges are checked.
/// @param source The bank to copy from.
/// @param sourceOffset The first byte copied.
/// @param destination The bank to copy to.
/// @param destinationOffset Where the first byte goes.
/// @param count The number of bytes.
void CopyBankBytes(const Ref<TBank>& source, int sourceOffset, const Ref<TBank>& destination,
                   int destinationOffset, int count);

}  // namespace corvax
