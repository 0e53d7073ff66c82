#pragma once
/// @file
/// @ingroup stream
/// A seekable stream over a bank that grows the bank when written past its end, and the
/// factory that lets a bank object stand where a url is expected.
#include <corvax/stream/bank.h>
#include <corvax/stream/stream_factory.h>

namespace corvax {

/// A seekable stream over a bank, growing the bank when written past its end.
class TBankStream : public TStream {
 public:
  int Position() override { return position_; }
  int Length() override { return bank_->Size(); }
  /// @param position The new position, clamped to 0..bank size.
  /// @return The new position.
  int SeekTo(int position) override;
  /// Stops at the bank's end.
  /// @param buffer Where the bytes go.
  /// @param count The number of bytes asked for.
  /// @return The number of bytes read.
  int Read(void* buffer, int count) override;
  /// Resizes the bank first when the bytes reach past its end.
  /// @param buffer The bytes.
  /// @param count Their number.
  /// @return The number written; 0 only for count < 1 (or a bank that would pass 2 GiB).
  int Write(const void* buffer, int count) override;

  /// @return The bank the stream reads and writes.
  const Ref<TBank>& Bank() const { return bank_; }

  /// @param bank The bank, which must not be Null.
  /// @return A stream at position 0 over the bank.
  /// @sa CreateBankStream
  static Ref<TBankStream> CreateBankStreamOn(Ref<TBank> bank);

 private:
  explicit TBankStream(Ref<TBank> bank) : bank_(std::move(bank)) {}
  int position_ = 0;
  Ref<TBank> bank_;
};

/// @param bank The bank; Null makes a new empty one.
/// @return A stream at position 0 over the bank.
Ref<TBankStream> CreateBankStream(Ref<TBank> bank = nullptr);

/// Answers any url that is a TBank, whatever protocol and flags.
class TBankStreamFactory : public TStreamFactory {
 public:
  Ref<TStream> CreateStream(const Ref<Object>& url, const String& protocol, const String& path,
                            bool readable, bool writeable) override;
};

/// Registers the bank data type and the bank stream factory, after the data module.
void StartupBankModule();

}  // namespace corvax
