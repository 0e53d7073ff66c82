#pragma once
/// @file
/// @ingroup stream
/// Memory blocks: a resizable run of bytes with typed little-endian peeks and pokes.
#include <cstdint>

#include <corvax/stream/data_type.h>
#include <corvax/stream/url.h>

namespace corvax {

/// A resizable block of bytes with typed little-endian peeks and pokes; serialisable.
class TBank : public TData {
 public:
  ~TBank() override;

  /// The bank data type, "KVT.Bank.TBank".
  Ref<TDataType> GetDataType() const override;

  /// The bytes; moves when Resize reallocates.
  unsigned char* Buffer() const { return buffer_; }
  /// The lock count is a counter for callers; nothing else consults it.
  unsigned char* Lock() {
    ++locks_;
    return buffer_;
  }
  /// Counts one lock fewer.
  void Unlock() { --locks_; }
  /// Locks minus unlocks so far.
  int LockCount() const { return locks_; }
  /// The size in bytes.
  int Size() const { return size_; }
  /// Bytes allocated and owned, or -1 while the memory belongs to someone else.
  int Capacity() const { return capacity_; }

  /// Growing past the capacity allocates max(capacity * 3 / 2, newSize) bytes and keeps the
  /// contents; shrinking never reallocates. A static bank gets a block of its own on its
  /// first resize. A negative size throws a runtime error.
  void Resize(int newSize);

  /// One raw Read or Write of count bytes at offset; the byte count it moved.
  /// The range is checked as for peeks.
  ///@{
  int ReadFromStream(TStream& stream, int offset, int count);
  int WriteToStream(TStream& stream, int offset, int count);
  ///@}

  /// Offsets are checked: a value that does not lie wholly within Size() throws
  /// TArrayBoundsException. 8- and 16-bit peeks are zero-extended; pokes store the low bytes.
  ///@{
  int PeekU8(int offset) const;
  void PokeU8(int offset, int value);
  int PeekU16(int offset) const;
  void PokeU16(int offset, int value);
  std::int32_t PeekI32(int offset) const;
  void PokeI32(int offset, std::int32_t value);
  std::int64_t PeekI64(int offset) const;
  void PokeI64(int offset, std::int64_t value);
  float PeekF32(int offset) const;
  void PokeF32(int offset, double value);
  double PeekF64(int offset) const;
  void PokeF64(int offset, double value);
  ///@}

  /// 1 when written; 0 when the url cannot be opened.
  int SaveTo(const Url& url);
  /// The url's whole contents in a new bank, or Null when it cannot be opened.
  static Ref<TBank> LoadFrom(const Url& url);
  /// An owned bank of size bytes with undefined contents; a negative size throws a runtime
  /// error.
  static Ref<TBank> CreateBank(int size);
  /// A bank over memory that is neither copied nor freed; it must outlive the bank or its
  /// first resize.
  static Ref<TBank> CreateStaticBank(void* buffer, int size);

  /// Throws TArrayBoundsException unless offset..offset+count-1 lies within the bank.
  void CheckRange(int offset, int count) const;

 private:
  TBank(unsigned char* buffer, int size, int capacity)
      : buffer_(buffer), size_(size), capacity_(capacity) {}
  template <class T>
  T Peek(int offset) const;
  template <class T>
  void Poke(int offset, T value);

  unsigned char* buffer_;
  int size_;
  int capacity_;
  int locks_ = 0;
};

/// Free-function forms of TBank's operations, same results and exceptions: CreateBank,
/// CreateStaticBank, LoadBank (LoadFrom), SaveBank (SaveTo), BankBuffer, LockBank, UnlockBank,
/// BankSize, BankCapacity, ResizeBank, ReadBank (ReadFromStream), WriteBank (WriteToStream) and
/// the peeks and pokes. A Null bank throws TNullObjectException.
///@{
Ref<TBank> CreateBank(int size = 0);
Ref<TBank> CreateStaticBank(void* buffer, int size);
Ref<TBank> LoadBank(const Url& url);
int SaveBank(const Ref<TBank>& bank, const Url& url);
unsigned char* BankBuffer(const Ref<TBank>& bank);
unsigned char* LockBank(const Ref<TBank>& bank);
void UnlockBank(const Ref<TBank>& bank);
int BankSize(const Ref<TBank>& bank);
int BankCapacity(const Ref<TBank>& bank);
void ResizeBank(const Ref<TBank>& bank, int newSize);
int ReadBank(const Ref<TBank>& bank, const Ref<TStream>& stream, int offset, int count);
int WriteBank(const Ref<TBank>& bank, const Ref<TStream>& stream, int offset, int count);

int PeekU8(const Ref<TBank>& bank, int offset);
void PokeU8(const Ref<TBank>& bank, int offset, int value);
int PeekU16(const Ref<TBank>& bank, int offset);
void PokeU16(const Ref<TBank>& bank, int offset, int value);
std::int32_t PeekI32(const Ref<TBank>& bank, int offset);
void PokeI32(const Ref<TBank>& bank, int offset, std::int32_t value);
std::int64_t PeekI64(const Ref<TBank>& bank, int offset);
void PokeI64(const Ref<TBank>& bank, int offset, std::int64_t value);
float PeekF32(const Ref<TBank>& bank, int offset);
void PokeF32(const Ref<TBank>& bank, int offset, double value);
double PeekF64(const Ref<TBank>& bank, int offset);
void PokeF64(const Ref<TBank>& bank, int offset, double value);
///@}

/// Copies count bytes between banks (the ranges may overlap); both ranges are checked.
void CopyBankBytes(const Ref<TBank>& source, int sourceOffset, const Ref<TBank>& destination,
                   int destinationOffset, int count);

}  // namespace corvax
