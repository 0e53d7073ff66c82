// What a user waits for between starting a program and its first frame: exec of a framework
// application that opens a 640x480 window and presents one frame, beside a bare SDL2 and
// OpenGL program doing the same. Each child prints the monotonic time its first frame was done;
// the time is taken from just before the spawn. Run under Xvfb with Mesa.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

extern char** environ;

namespace {

std::int64_t Now() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Milliseconds from the spawn to the child's first frame; negative when the child failed.
double ExecToFirstFrame(const std::vector<std::string>& command) {
  int out[2];
  if (pipe(out) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::vector<char*> argv;
  for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  const std::int64_t start = Now();
  pid_t child = 0;
  const int failed = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  std::string text;
  char buffer[64];
  for (ssize_t n; !failed && (n = read(out[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  close(out[0]);
  int status = 0;
  if (!failed) waitpid(child, &status, 0);
  if (failed || !WIFEXITED(status) || WEXITSTATUS(status) != 0 || text.empty()) return -1;
  return static_cast<double>(std::stoll(text) - start) / 1e6;
}

struct Program {
  const char* name;
  std::vector<std::string> command;
  std::vector<double> times;
};

// The programs take turns, so a machine that gets busier or quieter part-way through weighs
// on all of them alike. Each reports the median, fastest and slowest of its starts.
void ExecToFirstFrameInTurn(benchmark::State& state) {
  std::vector<Program> programs = {
      {"bare_sdl", {FIRST_FRAME_SDL}, {}},
      {"framework", {FIRST_FRAME_CORVAX, "0"}, {}},
      // At 72 Hz the first frame also waits for its slot, 13 ms after the window opened.
      {"framework_72hz", {FIRST_FRAME_CORVAX, "72"}, {}},
  };
  for (auto _ : state) {
    for (Program& program : programs) {
      const double ms = ExecToFirstFrame(program.command);
      if (ms < 0) {
        state.SkipWithError("a program did not present its frame (no display?)");
        return;
      }
      program.times.push_back(ms);
    }
  }
  for (Program& program : programs) {
    std::sort(program.times.begin(), program.times.end());
    const std::string name = program.name;
    state.counters[name + "_median_ms"] = program.times[program.times.size() / 2];
    state.counters[name + "_min_ms"] = program.times.front();
    state.counters[name + "_max_ms"] = program.times.back();
  }
}
BENCHMARK(ExecToFirstFrameInTurn)->Unit(benchmark::kMillisecond)->Iterations(15)->UseRealTime();

}  // namespace
