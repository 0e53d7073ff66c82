#include <corvax/stream/xendian_stream.h>

#include <algorithm>
#include <cstring>

#include <corvax/stream/open_url.h>

namespace corvax {
namespace {

// Reads sizeof(T) bytes (zero where the data ends early) and reverses them.
template <class T>
T ReadSwapped(TStream& stream) {
  unsigned char bytes[sizeof(T)] = {};
  stream.ReadBlock(bytes, sizeof(T));
  std::reverse(bytes, bytes + sizeof(T));
  T value;
  std::memcpy(&value, bytes, sizeof(T));
  return value;
}

template <class T>
void WriteSwapped(TStream& stream, T value) {
  unsigned char bytes[sizeof(T)];
  std::memcpy(bytes, &value, sizeof(T));
  std::reverse(bytes, bytes + sizeof(T));
  stream.WriteBlock(bytes, sizeof(T));
}

}  // namespace

int TXEndianStream::ReadU16() {
  return ReadSwapped<std::uint16_t>(*this);
}
void TXEndianStream::WriteU16(int value) {
  WriteSwapped(*this, static_cast<std::uint16_t>(value));
}
std::int32_t TXEndianStream::ReadI32() {
  return ReadSwapped<std::int32_t>(*this);
}
void TXEndianStream::WriteI32(std::int32_t value) {
  WriteSwapped(*this, value);
}
std::int64_t TXEndianStream::ReadI64() {
  return ReadSwapped<std::int64_t>(*this);
}
void TXEndianStream::WriteI64(std::int64_t value) {
  WriteSwapped(*this, value);
}
float TXEndianStream::ReadF32() {
  return ReadSwapped<float>(*this);
}
void TXEndianStream::WriteF32(double value) {
  WriteSwapped(*this, static_cast<float>(value));
}
double TXEndianStream::ReadF64() {
  return ReadSwapped<double>(*this);
}
void TXEndianStream::WriteF64(double value) {
  WriteSwapped(*this, value);
}

void TXEndianStream::Swap2(unsigned char* bytes) {
  std::reverse(bytes, bytes + 2);
}
void TXEndianStream::Swap4(unsigned char* bytes) {
  std::reverse(bytes, bytes + 4);
}
void TXEndianStream::Swap8(unsigned char* bytes) {
  std::reverse(bytes, bytes + 8);
}

Ref<TXEndianStream> TXEndianStream::CreateSwapped(Ref<TStream> stream) {
  if (!stream) return nullptr;
  auto swapped = New<TXEndianStream>();
  swapped->SetInnerStream(std::move(stream));
  return swapped;
}

Ref<TXEndianStream> TXEndianStream::BigEndianStream(Ref<TStream> stream) {
  return CreateSwapped(std::move(stream));
}

Ref<TStream> TXEndianStream::LittleEndianStream(Ref<TStream> stream) {
  return stream;
}

Ref<TXEndianStream> BigEndianStream(Ref<TStream> stream) {
  return TXEndianStream::BigEndianStream(std::move(stream));
}

Ref<TStream> LittleEndianStream(Ref<TStream> stream) {
  return TXEndianStream::LittleEndianStream(std::move(stream));
}

Ref<TStream> TXEndianStreamFactory::CreateStream(const Ref<Object>&, const String& protocol,
                                                 const String& path, bool readable,
                                                 bool writeable) {
  if (protocol == u"bigendian") return BigEndianStream(OpenUrlStream(path, readable, writeable));
  if (protocol == u"littleendian") return OpenUrlStream(path, readable, writeable);
  return nullptr;
}

}  // namespace corvax
