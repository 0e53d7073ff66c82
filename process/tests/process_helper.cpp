// Child program for the process tests, whose behaviour each test picks by its first argument.
// Every process it makes prints its id on a line and, unless told otherwise, waits until it is
// killed, so the test can check that killing reaches each of them.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include <corvax/process/process_module.h>

#include "helper_platform.h"

namespace {

using namespace corvax::testing;

void PrintPid() {
  std::printf("%d\n", OwnProcessId());
  std::fflush(stdout);
}

[[noreturn]] void WaitUntilKilled() {
  while (true) std::this_thread::sleep_for(std::chrono::hours(1));
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  const int n = argc > 2 ? std::atoi(argv[2]) : 0;
  if (mode == "exit") {
    std::fputs("to out\n", stdout);
    std::fputs("to err\n", stderr);
    return n;
  }
  if (mode == "noise") {
    std::string bytes(static_cast<std::size_t>(n), 'x');
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
    WaitUntilKilled();
  }
  if (mode == "echo") {
    // Every byte back as it comes, like cat.
    for (int c = std::getchar(); c != EOF; c = std::getchar()) {
      std::putchar(c);
      std::fflush(stdout);
    }
    return 0;
  }
  if (mode == "stubborn") {
    IgnorePoliteEndRequests();
    PrintPid();
    WaitUntilKilled();
  }
  if (mode == "leave-child") {
    // Ends normally with a child still running: the exit action must kill it.
    corvax::StartupProcessModule();
    auto child =
        corvax::SpawnProcess(corvax::From8Bit("\"" + std::string(argv[0]) + "\" stubborn"));
    if (!child) return 2;
    std::printf("%d\n", child->ProcessId());
    return 0;
  }
  if (RunPlatformMode(mode, argc, argv)) return 0;
  std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
  return 3;
}
