#include "fuzz_sample_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return corvax::fuzzing::RunSampleLoader<corvax::TAudioSampleLoaderWAV>(data, size);
}
