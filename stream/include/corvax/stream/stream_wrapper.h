#pragma once
/// @file
/// @ingroup stream
/// Streams that forward to an inner stream.
#include <corvax/stream/stream.h>

namespace corvax {

/// Forwards the raw and typed operations to the inner stream. ReadBlock, WriteBlock,
/// SkipForward, ReadI64 and WriteI64 stay generic and reach the inner stream through Read,
/// Write and AtEnd. Destroying a wrapper does not close the inner stream.
class TStreamWrapper : public TStream {
 public:
  bool AtEnd() override { return inner_->AtEnd(); }
  int Position() override { return inner_->Position(); }
  int Length() override { return inner_->Length(); }
  int SeekTo(int position) override { return inner_->SeekTo(position); }
  int Flush() override { return inner_->Flush(); }
  int Close() override { return inner_->Close(); }
  int Read(void* buffer, int count) override { return inner_->Read(buffer, count); }
  int Write(const void* buffer, int count) override { return inner_->Write(buffer, count); }

  int ReadU8() override { return inner_->ReadU8(); }
  void WriteU8(int value) override { inner_->WriteU8(value); }
  int ReadU16() override { return inner_->ReadU16(); }
  void WriteU16(int value) override { inner_->WriteU16(value); }
  std::int32_t ReadI32() override { return inner_->ReadI32(); }
  void WriteI32(std::int32_t value) override { inner_->WriteI32(value); }
  float ReadF32() override { return inner_->ReadF32(); }
  void WriteF32(double value) override { inner_->WriteF32(value); }
  double ReadF64() override { return inner_->ReadF64(); }
  void WriteF64(double value) override { inner_->WriteF64(value); }
  String ReadTextLine() override { return inner_->ReadTextLine(); }
  bool WriteTextLine(const String& text) override { return inner_->WriteTextLine(text); }
  String ReadChars(int count) override { return inner_->ReadChars(count); }
  void WriteChars(const String& text) override { inner_->WriteChars(text); }
  Ref<Object> ReadObject() override { return inner_->ReadObject(); }
  void WriteObject(const Ref<Object>& object) override { inner_->WriteObject(object); }

  /// Replaces the stream forwarded to, without closing the old one.
  /// @param stream The new inner stream.
  void SetInnerStream(Ref<TStream> stream) { inner_ = std::move(stream); }
  /// @return The stream forwarded to; Null after TStreamStream's Close.
  const Ref<TStream>& InnerStream() const { return inner_; }

 protected:
  /// The stream forwarded to.
  Ref<TStream> inner_;
};

/// A wrapper whose Close only drops the reference: the wrapped stream stays open.
class TStreamStream : public TStreamWrapper {
 public:
  /// Drops the reference; the wrapped stream stays open.
  /// @return 0.
  int Close() override {
    SetInnerStream(nullptr);
    return 0;
  }
  /// @param stream The stream to wrap.
  /// @return A wrapper over stream that leaves it open when closed.
  static Ref<TStreamStream> WrapStream(Ref<TStream> stream);
};

}  // namespace corvax
