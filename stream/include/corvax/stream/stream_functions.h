#pragma once
/// @file
/// @ingroup stream
/// One free function per stream operation, for code that prefers calls to methods.
#include <corvax/stream/stream.h>

namespace corvax {

/// TStream::AtEnd on s, with the same results and exceptions; a Null s throws TNullObjectException.
/// @param s The stream.
/// @return What TStream::AtEnd returns.
/// @sa TStream::AtEnd
inline bool AtEnd(const Ref<TStream>& s) {
  return s->AtEnd();
}
/// TStream::Position on s.
/// @param s The stream.
/// @return What TStream::Position returns.
/// @sa TStream::Position
inline int StreamPosition(const Ref<TStream>& s) {
  return s->Position();
}
/// TStream::Length on s.
/// @param s The stream.
/// @return What TStream::Length returns.
/// @sa TStream::Length
inline int StreamLength(const Ref<TStream>& s) {
  return s->Length();
}
/// TStream::SeekTo on s.
/// @param s The stream.
/// @param position The new position.
/// @return What TStream::SeekTo returns.
/// @sa TStream::SeekTo
inline int SeekStream(const Ref<TStream>& s, int position) {
  return s->SeekTo(position);
}
/// TStream::Flush on s.
/// @param s The stream.
/// @return What TStream::Flush returns.
/// @sa TStream::Flush
inline int FlushStream(const Ref<TStream>& s) {
  return s->Flush();
}
/// TStream::Close on s.
/// @param s The stream.
/// @return What TStream::Close returns.
/// @sa TStream::Close
inline int CloseStream(const Ref<TStream>& s) {
  return s->Close();
}
/// TStream::ReadBlock on s.
/// @param s The stream.
/// @param buffer The bytes, or where they go.
/// @param count The number of bytes (characters for ReadChars).
/// @return What TStream::ReadBlock returns.
/// @sa TStream::ReadBlock
inline int ReadBlock(const Ref<TStream>& s, void* buffer, int count) {
  return s->ReadBlock(buffer, count);
}
/// TStream::WriteBlock on s.
/// @param s The stream.
/// @param buffer The bytes, or where they go.
/// @param count The number of bytes (characters for ReadChars).
/// @return What TStream::WriteBlock returns.
/// @sa TStream::WriteBlock
inline int WriteBlock(const Ref<TStream>& s, const void* buffer, int count) {
  return s->WriteBlock(buffer, count);
}
/// TStream::SkipForward on s.
/// @param s The stream.
/// @param count The number of bytes (characters for ReadChars).
/// @return What TStream::SkipForward returns.
/// @sa TStream::SkipForward
inline int SkipForward(const Ref<TStream>& s, int count) {
  return s->SkipForward(count);
}
/// TStream::ReadU8 on s.
/// @param s The stream.
/// @return What TStream::ReadU8 returns.
/// @sa TStream::ReadU8
inline int ReadU8(const Ref<TStream>& s) {
  return s->ReadU8();
}
/// TStream::WriteU8 on s.
/// @param s The stream.
/// @param value The value.
/// @sa TStream::WriteU8
inline void WriteU8(const Ref<TStream>& s, int value) {
  s->WriteU8(value);
}
/// TStream::ReadU16 on s.
/// @param s The stream.
/// @return What TStream::ReadU16 returns.
/// @sa TStream::ReadU16
inline int ReadU16(const Ref<TStream>& s) {
  return s->ReadU16();
}
/// TStream::WriteU16 on s.
/// @param s The stream.
/// @param value The value.
/// @sa TStream::WriteU16
inline void WriteU16(const Ref<TStream>& s, int value) {
  s->WriteU16(value);
}
/// TStream::ReadI32 on s.
/// @param s The stream.
/// @return What TStream::ReadI32 returns.
/// @sa TStream::ReadI32
inline std::int32_t ReadI32(const Ref<TStream>& s) {
  return s->ReadI32();
}
/// TStream::WriteI32 on s.
/// @param s The stream.
/// @param value The value.
/// @sa TStream::WriteI32
inline void WriteI32(const Ref<TStream>& s, std::int32_t value) {
  s->WriteI32(value);
}
/// TStream::ReadI64 on s.
/// @param s The stream.
/// @return What TStream::ReadI64 returns.
/// @sa TStream::ReadI64
inline std::int64_t ReadI64(const Ref<TStream>& s) {
  return s->ReadI64();
}
/// TStream::WriteI64 on s.
/// @param s The stream.
/// @param value The value.
/// @sa TStream::WriteI64
inline void WriteI64(const Ref<TStream>& s, std::int64_t value) {
  s->WriteI64(value);
}
/// TStream::ReadF32 on s.
/// @param s The stream.
/// @return What TStream::ReadF32 returns.
/// @sa TStream::ReadF32
inline float ReadF32(const Ref<TStream>& s) {
  return s->ReadF32();
}
/// TStream::WriteF32 on s.
/// @param s The stream.
/// @param value The value.
/// @sa TStream::WriteF32
inline void WriteF32(const Ref<TStream>& s, double value) {
  s->WriteF32(value);
}
/// TStream::ReadF64 on s.
/// @param s The stream.
/// @return What TStream::ReadF64 returns.
/// @sa TStream::ReadF64
inline double ReadF64(const Ref<TStream>& s) {
  return s->ReadF64();
}
/// TStream::WriteF64 on s.
/// @param s The stream.
/// @param value The value.
/// @sa TStream::WriteF64
inline void WriteF64(const Ref<TStream>& s, double value) {
  s->WriteF64(value);
}
/// TStream::ReadTextLine on s.
/// @param s The stream.
/// @return What TStream::ReadTextLine returns.
/// @sa TStream::ReadTextLine
inline String ReadTextLine(const Ref<TStream>& s) {
  return s->ReadTextLine();
}
/// TStream::WriteTextLine on s.
/// @param s The stream.
/// @param text The text.
/// @return What TStream::WriteTextLine returns.
/// @sa TStream::WriteTextLine
inline bool WriteTextLine(const Ref<TStream>& s, const String& text) {
  return s->WriteTextLine(text);
}
/// TStream::ReadChars on s.
/// @param s The stream.
/// @param count The number of bytes (characters for ReadChars).
/// @return What TStream::ReadChars returns.
/// @sa TStream::ReadChars
inline String ReadChars(const Ref<TStream>& s, int count) {
  return s->ReadChars(count);
}
/// TStream::WriteChars on s.
/// @param s The stream.
/// @param text The text.
/// @sa TStream::WriteChars
inline void WriteChars(const Ref<TStream>& s, const String& text) {
  s->WriteChars(text);
}
/// TStream::ReadObject on s.
/// @param s The stream.
/// @return What TStream::ReadObject returns.
/// @sa TStream::ReadObject
inline Ref<Object> ReadObject(const Ref<TStream>& s) {
  return s->ReadObject();
}
/// TStream::WriteObject on s.
/// @param s The stream.
/// @param object The object.
/// @sa TStream::WriteObject
inline void WriteObject(const Ref<TStream>& s, const Ref<Object>& object) {
  s->WriteObject(object);
}

}  // namespace corvax
