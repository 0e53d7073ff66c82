// UTF-8 decoding through a text stream, beside memcpy and a plain UTF-8 decode of the same
// bytes held in memory, so only the decoding differs.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include <corvax/stream/stream_module.h>

namespace {

constexpr int kTextSize = 16 << 20;

// Mostly ASCII prose with two- and three-byte characters and a line end every 64 characters
// or so.
const std::string& Utf8Text() {
  static const std::string text = [] {
    const std::string piece = "Grüße aus Köln: 12 € für ein Stück Käse, bitte!\n";
    std::string bytes;
    bytes.reserve(kTextSize + piece.size());
    while (bytes.size() < kTextSize) bytes += piece;
    bytes.resize(kTextSize);
    return bytes;
  }();
  return text;
}

corvax::Ref<corvax::TTextStream> TextStreamOverMemory() {
  auto& bytes = const_cast<std::string&>(Utf8Text());
  return corvax::TTextStream::CreateTextStream(
      corvax::CreateRamStream(bytes.data(), static_cast<int>(bytes.size()), true, false),
      corvax::TTextStream::ENCODING_UTF8);
}

void BM_MemcpyBaseline(benchmark::State& state) {
  const std::string& bytes = Utf8Text();
  std::string copy(bytes.size(), '\0');
  for (auto _ : state) {
    std::memcpy(copy.data(), bytes.data(), bytes.size());
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetBytesProcessed(state.iterations() * kTextSize);
}
BENCHMARK(BM_MemcpyBaseline)->Unit(benchmark::kMillisecond);

void BM_FromUtf8Baseline(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(corvax::FromUtf8(Utf8Text()));
  state.SetBytesProcessed(state.iterations() * kTextSize);
}
BENCHMARK(BM_FromUtf8Baseline)->Unit(benchmark::kMillisecond);

void BM_ReadAllText(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(TextStreamOverMemory()->ReadAllText());
  state.SetBytesProcessed(state.iterations() * kTextSize);
}
BENCHMARK(BM_ReadAllText)->Unit(benchmark::kMillisecond);

void BM_ReadTextLine(benchmark::State& state) {
  std::size_t lines = 0;
  for (auto _ : state) {
    auto stream = TextStreamOverMemory();
    while (!stream->AtEnd()) {
      benchmark::DoNotOptimize(stream->ReadTextLine());
      ++lines;
    }
  }
  benchmark::DoNotOptimize(lines);
  state.SetBytesProcessed(state.iterations() * kTextSize);
}
BENCHMARK(BM_ReadTextLine)->Unit(benchmark::kMillisecond);

}  // namespace
