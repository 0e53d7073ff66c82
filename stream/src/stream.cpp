#include <corvax/stream/stream.h>

#include <algorithm>
#include <array>
#include <cstring>

#include <corvax/runtime/exceptions.h>

namespace corvax {
namespace {

// Reads sizeof(T) bytes into a zeroed value, so bytes past the end of data read as 0.
template <class T>
T ReadValue(TStream& stream) {
  unsigned char bytes[sizeof(T)] = {};
  stream.ReadBlock(bytes, sizeof(T));
  T value;
  std::memcpy(&value, bytes, sizeof(T));
  return value;
}

template <class T>
void WriteValue(TStream& stream, T value) {
  stream.WriteBlock(&value, sizeof(T));
}

}  // namespace

int TStream::ReadAvailable(void* buffer, int count) {
  auto* bytes = static_cast<unsigned char*>(buffer);
  int got = 0;
  while (got < count && !AtEnd()) {
    const int n = Read(bytes + got, count - got);
    if (n <= 0) {
      ThrowUnlessAtEnd();
      break;
    }
    got += n;
  }
  return got;
}

void TStream::ThrowUnlessAtEnd() {
  if (!AtEnd()) throw TStreamReadException();
}

int TStream::ReadBlock(void* buffer, int count) {
  ReadAvailable(buffer, count);
  return count;
}

int TStream::WriteBlock(const void* buffer, int count) {
  const auto* bytes = static_cast<const unsigned char*>(buffer);
  int owed = count;
  while (owed > 0) {
    const int n = Write(bytes, owed);
    if (n <= 0) throw TStreamWriteException();
    bytes += n;
    owed -= n;
  }
  return count;
}

int TStream::SkipForward(int count) {
  std::array<unsigned char, 1024> scratch;
  int owed = count;
  while (owed > 0 && !AtEnd()) {
    const int n = Read(scratch.data(), std::min(owed, static_cast<int>(scratch.size())));
    if (n <= 0) {
      ThrowUnlessAtEnd();
      break;
    }
    owed -= n;
  }
  return count;
}

int TStream::ReadU8() {
  return ReadValue<std::uint8_t>(*this);
}
void TStream::WriteU8(int value) {
  WriteValue(*this, static_cast<std::uint8_t>(value));
}
int TStream::ReadU16() {
  return ReadValue<std::uint16_t>(*this);
}
void TStream::WriteU16(int value) {
  WriteValue(*this, static_cast<std::uint16_t>(value));
}
std::int32_t TStream::ReadI32() {
  return ReadValue<std::int32_t>(*this);
}
void TStream::WriteI32(std::int32_t value) {
  WriteValue(*this, value);
}
std::int64_t TStream::ReadI64() {
  return ReadValue<std::int64_t>(*this);
}
void TStream::WriteI64(std::int64_t value) {
  WriteValue(*this, value);
}
float TStream::ReadF32() {
  return ReadValue<float>(*this);
}
void TStream::WriteF32(double value) {
  WriteValue(*this, static_cast<float>(value));
}
double TStream::ReadF64() {
  return ReadValue<double>(*this);
}
void TStream::WriteF64(double value) {
  WriteValue(*this, value);
}

String TStream::ReadTextLine() {
  String line;
  std::array<char16_t, 1024> scratch;
  std::size_t filled = 0;
  for (;;) {
    unsigned char byte = 0;
    if (Read(&byte, 1) != 1 || byte == 0 || byte == '\n') break;
    if (byte == '\r') continue;
    scratch[filled++] = byte;
    if (filled == scratch.size()) {
      line.append(scratch.data(), filled);
      filled = 0;
    }
  }
  line.append(scratch.data(), filled);
  return line;
}

bool TStream::WriteTextLine(const String& text) {
  const std::string bytes = To8Bit(text);
  const int length = static_cast<int>(bytes.size());
  if (Write(bytes.data(), length) != length) return false;
  static const char kLineEnd[2] = {'\r', '\n'};
  return Write(kLineEnd, 2) == 2;
}

String TStream::ReadChars(int count) {
  std::string bytes(static_cast<std::size_t>(std::max(count, 0)), '\0');
  ReadBlock(bytes.data(), static_cast<int>(bytes.size()));
  return From8Bit(bytes);
}

void TStream::WriteChars(const String& text) {
  const std::string bytes = To8Bit(text);
  WriteBlock(bytes.data(), static_cast<int>(bytes.size()));
}

Ref<Object> TStream::ReadObject() {
  throw TThrownString(u"Unable to read object");
}

void TStream::WriteObject(const Ref<Object>&) {
  throw TThrownString(u"Unable to write object");
}

}  // namespace corvax
