// What the browser runner must report faithfully: a program run as `runner_probe MODE [N]`
// that prints a line, then ends the way MODE says.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

int main(int argc, char** argv) {
  const char* mode = argc > 1 ? argv[1] : "";
  std::printf("probe started: %s\n", mode);
  std::fprintf(stderr, "probe says on stderr\n");
  std::fflush(stdout);
  if (std::strcmp(mode, "exit") == 0) return argc > 2 ? std::atoi(argv[2]) : 0;
  if (std::strcmp(mode, "abort") == 0) std::abort();
  if (std::strcmp(mode, "throw") == 0) throw std::runtime_error("nobody catches this");
  if (std::strcmp(mode, "hang") == 0) {
    for (volatile bool forever = true; forever;) {
    }
  }
  std::printf("unknown mode\n");
  return 2;
}
