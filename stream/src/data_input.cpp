#include <corvax/stream/data_input.h>

namespace corvax {

void CheckStoredSize(TStream& stream, std::int64_t bytes) {
  if (bytes < 0) throw TStreamReadException();
  const int position = stream.Position();
  if (position < 0) return;
  if (bytes > static_cast<std::int64_t>(stream.Length()) - position) throw TStreamReadException();
}

void ReadStoredBytes(TStream& stream, void* buffer, int count) {
  auto* bytes = static_cast<unsigned char*>(buffer);
  while (count > 0) {
    if (stream.AtEnd()) throw TStreamReadException();
    const int n = stream.Read(bytes, count);
    if (n <= 0) throw TStreamReadException();
    bytes += n;
    count -= n;
  }
}

}  // namespace corvax
