#include "process_glue.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include <corvax/process/command_line.h>

extern char** environ;

namespace corvax::process_glue {
namespace {

struct Pipe {
  int read = -1;
  int write = -1;
  bool Open() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return false;
    read = fds[0];
    write = fds[1];
    return true;
  }
  void CloseBoth() {
    ClosePipe(read);
    ClosePipe(write);
    read = write = -1;
  }
};

bool Spawn(const std::vector<std::string>& words, int flags, const Pipe& input, const Pipe& output,
           const Pipe& error, pid_t& pid) {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  if (posix_spawn_file_actions_init(&actions) != 0) return false;
  if (posix_spawnattr_init(&attributes) != 0) {
    posix_spawn_file_actions_destroy(&actions);
    return false;
  }
  posix_spawn_file_actions_adddup2(&actions, input.read, 0);
  posix_spawn_file_actions_adddup2(&actions, output.write, 1);
  posix_spawn_file_actions_adddup2(&actions, error.write, 2);

  // The child starts with default signal handling and nothing blocked, whatever this process
  // has set up; its own group (or session) lets the whole family be killed together.
  sigset_t all;
  sigset_t none;
  sigfillset(&all);
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  posix_spawnattr_setsigmask(&attributes, &none);
  short spawnFlags = POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK;
  if (flags & 1) {
    spawnFlags |= POSIX_SPAWN_SETPGROUP;
    posix_spawnattr_setpgroup(&attributes, 0);
  } else {
    spawnFlags |= POSIX_SPAWN_SETSID;
  }
  posix_spawnattr_setflags(&attributes, spawnFlags);

  std::vector<char*> argv;
  for (const auto& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  const int result = posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return result == 0;
}

// The parent id from /proc/<pid>/stat, or -1. The command name in parentheses may itself hold
// blanks and parentheses, so fields are counted from the last ')'.
pid_t ParentOf(pid_t pid) {
  char path[64];
  std::snprintf(path, sizeof path, "/proc/%d/stat", static_cast<int>(pid));
  std::FILE* file = std::fopen(path, "r");
  if (!file) return -1;
  char text[1024];
  const std::size_t length = std::fread(text, 1, sizeof text - 1, file);
  std::fclose(file);
  text[length] = 0;
  const std::string line(text, length);
  const auto close = line.rfind(')');
  if (close == std::string::npos) return -1;
  char state = 0;
  int parent = -1;
  if (std::sscanf(line.c_str() + close + 1, " %c %d", &state, &parent) != 2) return -1;
  return parent;
}

// Every process whose parent is in the family and that is not in it yet.
std::vector<pid_t> NewChildren(const std::vector<pid_t>& family) {
  std::vector<pid_t> found;
  DIR* proc = opendir("/proc");
  if (!proc) return found;
  while (const dirent* entry = readdir(proc)) {
    char* end = nullptr;
    const long value = std::strtol(entry->d_name, &end, 10);
    if (*end != 0 || value <= 0) continue;
    const auto pid = static_cast<pid_t>(value);
    if (std::find(family.begin(), family.end(), ParentOf(pid)) != family.end() &&
        std::find(family.begin(), family.end(), pid) == family.end())
      found.push_back(pid);
  }
  closedir(proc);
  return found;
}

void Pause(long nanoseconds) {
  timespec delay{0, nanoseconds};
  while (nanosleep(&delay, &delay) != 0 && errno == EINTR) {
  }
}

// Stops the root and its descendants, generation by generation, so that none can start more
// while the family is being collected. A scan that finds nobody new is repeated once after a
// pause, in case a process was forking as it was stopped.
std::vector<pid_t> StopFamily(pid_t root) {
  std::vector<pid_t> family{root};
  kill(root, SIGSTOP);
  bool confirmed = false;
  while (true) {
    const auto children = NewChildren(family);
    if (children.empty()) {
      if (confirmed) break;
      confirmed = true;
      Pause(1000000);
      continue;
    }
    confirmed = false;
    for (pid_t child : children) {
      kill(child, SIGSTOP);
      family.push_back(child);
    }
  }
  return family;
}

int StatusOf(const siginfo_t& info) {
  if (info.si_code == CLD_EXITED) return info.si_status;
  if (info.si_code == CLD_KILLED || info.si_code == CLD_DUMPED) return 128 + info.si_status;
  return -1;
}

}  // namespace

StartedProcess StartProcess(const std::string& commandLine, int flags) {
  StartedProcess started;
  const auto words = SplitCommandLine(commandLine);
  if (words.empty()) return started;
  Pipe output;
  Pipe input;
  Pipe error;
  if (!output.Open() || !input.Open() || !error.Open()) {
    output.CloseBoth();
    input.CloseBoth();
    error.CloseBoth();
    return started;
  }
  pid_t pid = 0;
  const bool spawned = Spawn(words, flags, input, output, error, pid);
  ClosePipe(input.read);
  ClosePipe(output.write);
  ClosePipe(error.write);
  if (!spawned) {
    ClosePipe(input.write);
    ClosePipe(output.read);
    ClosePipe(error.read);
    return started;
  }
  started.record = std::make_unique<ProcessRecord>();
  started.record->pid = pid;
  started.outputRead = output.read;
  started.inputWrite = input.write;
  started.errorRead = error.read;
  return started;
}

int ReadPipe(int fd, void* buffer, int count) {
  if (fd < 0 || count <= 0) return 0;
  while (true) {
    const ssize_t n = read(fd, buffer, static_cast<std::size_t>(count));
    if (n >= 0) return static_cast<int>(n);
    if (errno != EINTR) return 0;
  }
}

int WritePipe(int fd, const void* buffer, int count) {
  if (fd < 0 || count <= 0) return 0;
  // SIGPIPE is held back while writing and a SIGPIPE caused here is taken off again, so a
  // child that has gone away gives a short write instead of ending this process.
  sigset_t pipeSignal;
  sigset_t previous;
  sigemptyset(&pipeSignal);
  sigaddset(&pipeSignal, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
  // Had SIGPIPE been blocked already, a pending one may be someone else's: leave it alone.
  const bool alreadyBlocked = sigismember(&previous, SIGPIPE) == 1;

  const auto* bytes = static_cast<const char*>(buffer);
  int written = 0;
  bool broken = false;
  while (written < count) {
    const ssize_t n = write(fd, bytes + written, static_cast<std::size_t>(count - written));
    if (n > 0) {
      written += static_cast<int>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      broken = n < 0 && errno == EPIPE;
      break;
    }
  }
  if (broken && !alreadyBlocked) {
    const timespec now{0, 0};
    sigtimedwait(&pipeSignal, nullptr, &now);
  }
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  return written;
}

int PipeBytesAvailable(int fd) {
  int available = 0;
  if (fd < 0 || ioctl(fd, FIONREAD, &available) != 0) return 0;
  return available;
}

void ClosePipe(int fd) {
  if (fd >= 0) close(fd);
}

bool ProcessRunning(ProcessRecord& record) {
  if (record.ended) return false;
  siginfo_t info{};
  if (waitid(P_PID, record.pid, &info, WEXITED | WNOHANG | WNOWAIT) != 0) {
    // Not our child to wait for (children reaped automatically): treat it as gone.
    record.ended = true;
    record.reaped = true;
    return false;
  }
  if (info.si_pid == 0) return true;
  record.ended = true;
  record.status = StatusOf(info);
  return false;
}

int KillProcessTree(ProcessRecord& record) {
  const bool wasRunning = ProcessRunning(record);
  if (record.reaped) return 0;
  const auto family = StopFamily(record.pid);
  for (auto it = family.rbegin(); it != family.rend(); ++it) kill(*it, SIGKILL);
  // Descendants that lost their parent earlier still share its group; the unreaped root keeps
  // the group's id from being reused.
  kill(-record.pid, SIGKILL);
  int status = 0;
  while (waitpid(record.pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (wasRunning) {
    record.status = WIFEXITED(status)     ? WEXITSTATUS(status)
                    : WIFSIGNALED(status) ? 128 + WTERMSIG(status)
                                          : -1;
  }
  record.ended = true;
  record.reaped = true;
  return wasRunning ? 1 : 0;
}

}  // namespace corvax::process_glue
