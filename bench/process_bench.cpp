// Pipe streams beside raw read and write on a pipe of the same size, in one process, and line
// reading beside a hand-written split of the same bytes.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include <corvax/process/process_module.h>

namespace {

constexpr int kPipeSize = 1 << 16;

struct RawPipe {
  RawPipe() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) std::abort();
    read = fds[0];
    write = fds[1];
    fcntl(write, F_SETPIPE_SZ, kPipeSize);
  }
  int read;
  int write;
};

void RawPipeRoundTrip(benchmark::State& state) {
  const auto chunk = static_cast<std::size_t>(state.range(0));
  RawPipe pipe;
  std::vector<char> out(chunk, 'p');
  std::vector<char> in(chunk);
  for (auto _ : state) {
    if (write(pipe.write, out.data(), chunk) != static_cast<ssize_t>(chunk)) std::abort();
    std::size_t got = 0;
    while (got < chunk)
      got += static_cast<std::size_t>(read(pipe.read, in.data() + got, chunk - got));
    benchmark::DoNotOptimize(in.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * chunk));
  close(pipe.read);
  close(pipe.write);
}
BENCHMARK(RawPipeRoundTrip)->Arg(64)->Arg(4096)->Arg(32768);

void PipeStreamRoundTrip(benchmark::State& state) {
  const int chunk = static_cast<int>(state.range(0));
  RawPipe raw;
  auto stream = corvax::TPipeStream::Create(raw.read, raw.write);
  std::vector<char> out(static_cast<std::size_t>(chunk), 'p');
  std::vector<char> in(static_cast<std::size_t>(chunk));
  for (auto _ : state) {
    stream->WriteBlock(out.data(), chunk);
    stream->ReadBlock(in.data(), chunk);
    benchmark::DoNotOptimize(in.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * chunk);
  stream->Close();
}
BENCHMARK(PipeStreamRoundTrip)->Arg(64)->Arg(4096)->Arg(32768);

// 40-byte lines, as many as fill half the pipe.
std::string Lines() {
  std::string text;
  while (text.size() + 40 <= kPipeSize / 2) text += std::string(39, 'l') + '\n';
  return text;
}

void RawPipeLines(benchmark::State& state) {
  const std::string text = Lines();
  RawPipe pipe;
  std::vector<char> in(text.size());
  for (auto _ : state) {
    if (write(pipe.write, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
      std::abort();
    std::size_t got = 0;
    while (got < text.size())
      got += static_cast<std::size_t>(read(pipe.read, in.data() + got, text.size() - got));
    std::size_t start = 0;
    for (std::size_t i = 0; i < got; ++i) {
      if (in[i] != '\n') continue;
      std::u16string line(in.begin() + static_cast<std::ptrdiff_t>(start),
                          in.begin() + static_cast<std::ptrdiff_t>(i));
      benchmark::DoNotOptimize(line);
      start = i + 1;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  close(pipe.read);
  close(pipe.write);
}
BENCHMARK(RawPipeLines);

void PipeStreamLines(benchmark::State& state) {
  const std::string text = Lines();
  const std::size_t lines = text.size() / 40;
  RawPipe raw;
  auto stream = corvax::TPipeStream::Create(raw.read, raw.write);
  for (auto _ : state) {
    stream->WriteBlock(text.data(), static_cast<int>(text.size()));
    for (std::size_t i = 0; i < lines; ++i) benchmark::DoNotOptimize(stream->ReadTextLine());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  stream->Close();
}
BENCHMARK(PipeStreamLines);

}  // namespace
