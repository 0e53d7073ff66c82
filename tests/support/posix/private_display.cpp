#include "private_display.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace corvax::testing {
namespace {

// What Xvfb writes to the -displayfd descriptor once it accepts connections: the display
// number and a line end. Empty when nothing comes within the time limit.
std::string ReadDisplayNumber(int fd) {
  std::string number;
  for (;;) {
    pollfd ready{fd, POLLIN, 0};
    if (::poll(&ready, 1, 20000) <= 0) return "";
    char c = 0;
    const ssize_t got = ::read(fd, &c, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return "";
    if (c == '\n') return number;
    number += c;
  }
}

}  // namespace

bool PrivateDisplay::Start(const std::string& screen) {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, ends[1], 3);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  // -noreset: an X server resets when its last client leaves, and refuses connections while
  // it does, so a program started just after a short-lived client could find no display.
  const char* argv[] = {"Xvfb",         "-displayfd", "3",   "-screen",  "0",
                        screen.c_str(), "-nolisten",  "tcp", "-noreset", nullptr};
  const int failed =
      ::posix_spawnp(&server_, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(ends[1]);
  const std::string number = failed ? "" : ReadDisplayNumber(ends[0]);
  ::close(ends[0]);
  if (failed) server_ = -1;
  if (number.empty()) {
    Stop();
    return false;
  }
  ::setenv("DISPLAY", (":" + number).c_str(), 1);
  return true;
}

void PrivateDisplay::Stop() {
  if (server_ <= 0) return;
  ::kill(server_, SIGTERM);
  int status = 0;
  while (::waitpid(server_, &status, 0) < 0 && errno == EINTR) {
  }
  server_ = -1;
}

}  // namespace corvax::testing
