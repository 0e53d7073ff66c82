#include <corvax/graphics/graphics_core.h>
#include <corvax/graphics/graphics_driver.h>
#include <corvax/stream/data_input.h>

namespace corvax {

Ref<TDataType> TGraphics::GetDataType() const {
  return Driver();
}

String TGraphicsDriver::TypeName() const {
  return u"KVT.Graphics.TGraphics";
}

Ref<Object> TGraphicsDriver::ReadInstance(TStream& stream) {
  // Cut-off settings would read as zeros and open graphics nobody described.
  CheckStoredSize(stream, 4 * sizeof(std::int32_t));
  const int width = stream.ReadI32();
  const int height = stream.ReadI32();
  const int depth = stream.ReadI32();
  const int hertz = stream.ReadI32();
  return OpenGraphics(width, height, depth, hertz, 0);
}

void TGraphicsDriver::WriteInstance(const Ref<Object>& object, TStream& stream) {
  int width = 0, height = 0, depth = 0, hertz = 0, flags = 0;
  Cast<TGraphics>(object)->GetSettings(width, height, depth, hertz, flags);
  stream.WriteI32(width);
  stream.WriteI32(height);
  stream.WriteI32(depth);
  stream.WriteI32(hertz);
}

}  // namespace corvax
