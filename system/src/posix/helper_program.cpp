#include "helper_program.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace corvax {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { Close(); }
  int Get() const { return fd_; }
  void Reset(int fd) {
    Close();
    fd_ = fd;
  }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

struct Pipe {
  FileDescriptor readEnd;
  FileDescriptor writeEnd;
};

bool OpenPipe(Pipe& pipe) {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return false;
  pipe.readEnd.Reset(ends[0]);
  pipe.writeEnd.Reset(ends[1]);
  return true;
}

// Reads both pipes to their ends together, so a child that fills one of them never stalls.
void ReadBoth(int outFd, int errFd, std::string& out, std::string& err) {
  pollfd entries[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
  std::string* texts[2] = {&out, &err};
  int open = 2;
  while (open > 0) {
    if (::poll(entries, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    for (int i = 0; i < 2; ++i) {
      if (entries[i].fd < 0 || entries[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t got = ::read(entries[i].fd, buffer, sizeof buffer);
      if (got > 0) {
        texts[i]->append(buffer, static_cast<std::size_t>(got));
      } else if (got == 0 || errno != EINTR) {
        entries[i].fd = -1;
        --open;
      }
    }
  }
}

int WaitForExit(pid_t child) {
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string LastLine(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  const std::size_t end = text.rfind('\n');
  return end == std::string::npos ? text : text.substr(end + 1);
}

}  // namespace

HelperRun RunHelperProgram(const std::string& program, const std::vector<std::string>& args) {
  HelperRun run;
  run.program = program;
  Pipe out, err;
  if (!OpenPipe(out) || !OpenPipe(err)) {
    run.startError = errno;
    return run;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out.writeEnd.Get(), STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err.writeEnd.Get(), STDERR_FILENO);

  std::vector<std::string> copies{program};
  copies.insert(copies.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : copies) argv.push_back(arg.data());
  argv.push_back(nullptr);

  pid_t child = 0;
  run.startError = ::posix_spawnp(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (run.startError != 0) return run;
  run.started = true;
  out.writeEnd.Close();
  err.writeEnd.Close();
  ReadBoth(out.readEnd.Get(), err.readEnd.Get(), run.output, run.errors);
  run.exitStatus = WaitForExit(child);
  if (run.output.ends_with('\n')) run.output.pop_back();
  return run;
}

bool HelperShowed(const HelperRun& run) {
  if (!run.started || (run.exitStatus != 0 && run.exitStatus != 1)) return false;
  return run.errors.find("cannot open display") == std::string::npos;
}

bool ProgramOnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string directories = path ? path : "";
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = directories.find(':', start);
    std::string directory = directories.substr(start, end - start);
    if (directory.empty()) directory = ".";
    if (::access((directory + "/" + program).c_str(), X_OK) == 0) return true;
    if (end == std::string::npos) return false;
    start = end + 1;
  }
}

std::string HelperFailure(const HelperRun& run) {
  if (!run.started) {
    if (run.startError == ENOENT) return run.program + " is not installed";
    return run.program + " could not be started (" + std::strerror(run.startError) + ")";
  }
  std::string why = run.program + (run.exitStatus < 0 ? std::string(" was killed")
                                                      : " failed with exit status " +
                                                            std::to_string(run.exitStatus));
  const std::string said = LastLine(run.errors);
  if (!said.empty()) why += " (" + said + ")";
  return why;
}

}  // namespace corvax
