// A 64 MiB bank saved and loaded as an object through a "data" url, beside stdio writing and
// reading the same bytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include <corvax/stream/stream_module.h>

namespace {

constexpr int kBankSize = 64 << 20;

// Both sides write to and read from the same scratch file, removed when the program ends.
class ScratchPath {
 public:
  ScratchPath()
      : path_((std::filesystem::temp_directory_path() /
               ("corvax-bench-data-" + std::to_string(::getpid())))
                  .string()) {}
  ~ScratchPath() { std::filesystem::remove(path_); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

const std::string& Scratch() {
  static const ScratchPath scratch;
  return scratch.path();
}

const corvax::Ref<corvax::TBank>& Bank() {
  static const corvax::Ref<corvax::TBank> bank = [] {
    auto bank = corvax::CreateBank(kBankSize);
    for (int i = 0; i < kBankSize; ++i) bank->Buffer()[i] = static_cast<unsigned char>(i * 7);
    return bank;
  }();
  return bank;
}

void BM_FwriteBaseline(benchmark::State& state) {
  for (auto _ : state) {
    std::FILE* file = std::fopen(Scratch().c_str(), "wb");
    benchmark::DoNotOptimize(std::fwrite(Bank()->Buffer(), 1, kBankSize, file));
    std::fclose(file);
  }
  state.SetBytesProcessed(state.iterations() * kBankSize);
}
BENCHMARK(BM_FwriteBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveObjectBank(benchmark::State& state) {
  corvax::StartupStreamModule();
  const std::string url = "data::" + Scratch();
  for (auto _ : state) corvax::SaveObject(Bank(), url);
  state.SetBytesProcessed(state.iterations() * kBankSize);
}
BENCHMARK(BM_SaveObjectBank)->Unit(benchmark::kMillisecond)->UseRealTime();

// A fresh buffer each time, as a loaded bank gets.
void BM_FreadBaseline(benchmark::State& state) {
  corvax::StartupStreamModule();
  corvax::SaveObject(Bank(), "data::" + Scratch());
  for (auto _ : state) {
    std::FILE* file = std::fopen(Scratch().c_str(), "rb");
    std::unique_ptr<unsigned char[]> bytes(new unsigned char[kBankSize]);
    benchmark::DoNotOptimize(std::fread(bytes.get(), 1, kBankSize, file));
    std::fclose(file);
  }
  state.SetBytesProcessed(state.iterations() * kBankSize);
}
BENCHMARK(BM_FreadBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadObjectBank(benchmark::State& state) {
  corvax::StartupStreamModule();
  const std::string url = "data::" + Scratch();
  corvax::SaveObject(Bank(), url);
  for (auto _ : state) {
    auto bank = corvax::Cast<corvax::TBank>(corvax::LoadObject(url));
    if (!bank || bank->Size() != kBankSize) state.SkipWithError("bank not restored");
  }
  state.SetBytesProcessed(state.iterations() * kBankSize);
}
BENCHMARK(BM_LoadObjectBank)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
