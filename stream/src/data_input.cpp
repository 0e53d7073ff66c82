#include <corvax/stream/data_input.h>

namespace corvax {

void CheckStoredSize(TStream& stream, std::int64_t bytes) {
  if (bytes < 0) throw TStreamReadException();
  const int position = stream.Position();
  if (position < 0) return;
  if (bytes > static_cast<std::int64_t>(stream.Length()) - position) throw TStreamReadException();
}

void ReadStoredBytes(TStream& stream, void* buffer, int count) {
  if (stream.ReadAvailable(buffer, count) != count) throw TStreamReadException();
}

}  // namespace corvax
