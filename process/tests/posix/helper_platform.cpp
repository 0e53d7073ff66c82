#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "helper_platform.h"

namespace corvax::testing {
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

int OwnProcessId() {
  return static_cast<int>(getpid());
}

void IgnorePoliteEndRequests() {
  signal(SIGTERM, SIG_IGN);
  signal(SIGINT, SIG_IGN);
  signal(SIGHUP, SIG_IGN);
}

bool RunPlatformMode(const std::string& mode, int argc, char** argv) {
  if (mode == "tree" || mode == "escaping-tree") {
    Tree(argc > 2 ? std::atoi(argv[2]) : 0, argc > 3 ? std::atoi(argv[3]) : 1,
         mode == "escaping-tree");
  }
  if (mode == "orphan") {
    // The grandchild outlives its parent, so no parent link leads to it any more.
    if (fork() == 0) {
      PrintPid();
      WaitForever();
    }
    std::exit(0);
  }
  return false;
}

}  // namespace corvax::testing
