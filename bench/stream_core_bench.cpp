// Whole-file loading and line reading, each beside plain stdio on the same file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <corvax/stream/stream_module.h>

namespace {

// A scratch file in the temporary folder, removed when the benchmark program ends.
class ScratchFile {
 public:
  ScratchFile(const char* name, std::size_t size, bool lines)
      : path_((std::filesystem::temp_directory_path() / (std::string("corvax-bench-") + name))
                  .string()) {
    std::vector<char> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
      bytes[i] = lines && i % 40 == 39 ? '\n' : static_cast<char>('a' + i % 26);
    }
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  ~ScratchFile() { std::filesystem::remove(path_); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

const std::string& BigFile() {
  static const ScratchFile file("64mib", 64u << 20, false);
  return file.path();
}

const std::string& LineFile() {
  static const ScratchFile file("lines", 40u * 1000000u, true);
  return file.path();
}

void BM_FreadBaseline(benchmark::State& state) {
  for (auto _ : state) {
    std::FILE* file = std::fopen(BigFile().c_str(), "rb");
    std::fseek(file, 0, SEEK_END);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::ftell(file)));
    std::fseek(file, 0, SEEK_SET);
    benchmark::DoNotOptimize(std::fread(bytes.data(), 1, bytes.size(), file));
    std::fclose(file);
  }
  state.SetBytesProcessed(state.iterations() * (64 << 20));
}
BENCHMARK(BM_FreadBaseline)->Unit(benchmark::kMillisecond);

void BM_LoadBytes(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(corvax::LoadBytes(BigFile()));
  state.SetBytesProcessed(state.iterations() * (64 << 20));
}
BENCHMARK(BM_LoadBytes)->Unit(benchmark::kMillisecond);

void BM_FgetsBaseline(benchmark::State& state) {
  std::size_t lines = 0;
  for (auto _ : state) {
    std::FILE* file = std::fopen(LineFile().c_str(), "rb");
    char line[4096];
    while (std::fgets(line, sizeof line, file)) ++lines;
    std::fclose(file);
  }
  benchmark::DoNotOptimize(lines);
  state.SetBytesProcessed(state.iterations() * 40 * 1000000);
}
BENCHMARK(BM_FgetsBaseline)->Unit(benchmark::kMillisecond);

void BM_ReadTextLine(benchmark::State& state) {
  std::size_t lines = 0;
  for (auto _ : state) {
    auto stream = corvax::OpenReadStream(LineFile());
    while (!stream->AtEnd()) {
      benchmark::DoNotOptimize(stream->ReadTextLine());
      ++lines;
    }
    stream->Close();
  }
  benchmark::DoNotOptimize(lines);
  state.SetBytesProcessed(state.iterations() * 40 * 1000000);
}
BENCHMARK(BM_ReadTextLine)->Unit(benchmark::kMillisecond);

}  // namespace
