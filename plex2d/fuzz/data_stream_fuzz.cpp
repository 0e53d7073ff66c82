// Object graphs read back from a data stream, with every serialisable type of the lower modules
// registered: banks, lists, pixmaps and images. What is read is walked and written out again.
#include <cstddef>
#include <cstdint>

#include <corvax/plex2d/image.h>
#include <corvax/plex2d/plex2d_module.h>
#include <corvax/runtime/exceptions.h>
#include <corvax/stream/data_stream.h>
#include <corvax/stream/ram_stream.h>
#include <corvax/stream/stream_module.h>

namespace {

using namespace corvax;

class NullSink : public TStream {
 public:
  int Write(const void*, int count) override { return count; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool started = [] {
    StartupImageModule();
    return true;
  }();
  static_cast<void>(started);
  const Ref<TDataStream> in = CreateDataStream(
      CreateRamStream(const_cast<std::uint8_t*>(data), static_cast<int>(size), true, false));
  const Ref<TDataStream> out = CreateDataStream(New<NullSink>());
  constexpr int kObjects = 16;
  try {
    for (int i = 0; i < kObjects && !in->AtEnd(); ++i) out->WriteObject(in->ReadObject());
  } catch (const TException&) {
    // A clear refusal (bad data, an unknown type, a reference out of range); anything else,
    // an allocation failure included, is a finding.
  }
  return 0;
}
