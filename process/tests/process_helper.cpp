// Child program for the process tests. Every process it makes prints its id on a line and, unless
// told otherwise, waits forever, so the test can check that killing reaches each of them.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <corvax/process/process_module.h>

namespace {

void PrintPid() {
  std::printf("%d\n", static_cast<int>(getpid()));
  std::fflush(stdout);
}

[[noreturn]] void WaitForever() {
  while (true) pause();
}

// A family depth generations deep, each process with width children. Children that escape
// leave their parent's process group, so only parent links lead to them.
[[noreturn]] void Tree(int depth, int width, bool escape) {
  PrintPid();
  for (int i = 0; depth > 0 && i < width; ++i) {
    if (fork() == 0) {
      if (escape) setpgid(0, 0);
      Tree(depth - 1, width, escape);
    }
  }
  WaitForever();
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
    WaitForever();
  }
  if (mode == "tree" || mode == "escaping-tree")
    Tree(n, argc > 3 ? std::atoi(argv[3]) : 1, mode == "escaping-tree");
  if (mode == "stubborn") {
    signal(SIGTERM, SIG_IGN);
    signal(SIGINT, SIG_IGN);
    signal(SIGHUP, SIG_IGN);
    PrintPid();
    WaitForever();
  }
  if (mode == "orphan") {
    // The grandchild outlives its parent, so no parent link leads to it any more.
    if (fork() == 0) {
      PrintPid();
      WaitForever();
    }
    return 0;
  }
  if (mode == "leave-child") {
    // Ends normally with a child still running: the exit action must kill it.
    corvax::StartupProcessModule();
    auto child = corvax::SpawnProcess(corvax::From8Bit(std::string(argv[0]) + " stubborn"));
    if (!child) return 2;
    std::printf("%d\n", child->ProcessId());
    return 0;
  }
  std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
  return 3;
}
