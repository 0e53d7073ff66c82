#pragma once
/// @file
/// @ingroup stream
/// One free function per stream operation, for code that prefers calls to methods.
#include <corvax/stream/stream.h>

namespace corvax {

/// Each calls the TStream operation of the same name (Position, Length, SeekTo, Flush and Close
/// as StreamPosition, StreamLength, SeekStream, FlushStream and CloseStream) on s, with the same
/// results and exceptions; a Null s throws TNullObjectException.
///@{
inline bool AtEnd(const Ref<TStream>& s) {
  return s->AtEnd();
}
inline int StreamPosition(const Ref<TStream>& s) {
  return s->Position();
}
inline int StreamLength(const Ref<TStream>& s) {
  return s->Length();
}
inline int SeekStream(const Ref<TStream>& s, int position) {
  return s->SeekTo(position);
}
inline int FlushStream(const Ref<TStream>& s) {
  return s->Flush();
}
inline int CloseStream(const Ref<TStream>& s) {
  return s->Close();
}
inline int ReadBlock(const Ref<TStream>& s, void* buffer, int count) {
  return s->ReadBlock(buffer, count);
}
inline int WriteBlock(const Ref<TStream>& s, const void* buffer, int count) {
  return s->WriteBlock(buffer, count);
}
inline int SkipForward(const Ref<TStream>& s, int count) {
  return s->SkipForward(count);
}
inline int ReadU8(const Ref<TStream>& s) {
  return s->ReadU8();
}
inline void WriteU8(const Ref<TStream>& s, int value) {
  s->WriteU8(value);
}
inline int ReadU16(const Ref<TStream>& s) {
  return s->ReadU16();
}
inline void WriteU16(const Ref<TStream>& s, int value) {
  s->WriteU16(value);
}
inline std::int32_t ReadI32(const Ref<TStream>& s) {
  return s->ReadI32();
}
inline void WriteI32(const Ref<TStream>& s, std::int32_t value) {
  s->WriteI32(value);
}
inline std::int64_t ReadI64(const Ref<TStream>& s) {
  return s->ReadI64();
}
inline void WriteI64(const Ref<TStream>& s, std::int64_t value) {
  s->WriteI64(value);
}
inline float ReadF32(const Ref<TStream>& s) {
  return s->ReadF32();
}
inline void WriteF32(const Ref<TStream>& s, double value) {
  s->WriteF32(value);
}
inline double ReadF64(const Ref<TStream>& s) {
  return s->ReadF64();
}
inline void WriteF64(const Ref<TStream>& s, double value) {
  s->WriteF64(value);
}
inline String ReadTextLine(const Ref<TStream>& s) {
  return s->ReadTextLine();
}
inline bool WriteTextLine(const Ref<TStream>& s, const String& text) {
  return s->WriteTextLine(text);
}
inline String ReadChars(const Ref<TStream>& s, int count) {
  return s->ReadChars(count);
}
inline void WriteChars(const Ref<TStream>& s, const String& text) {
  s->WriteChars(text);
}
inline Ref<Object> ReadObject(const Ref<TStream>& s) {
  return s->ReadObject();
}
inline void WriteObject(const Ref<TStream>& s, const Ref<Object>& object) {
  s->WriteObject(object);
}
///@}

}  // namespace corvax
