#include <signal.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <memory>

#include "process_platform.h"
#include "signal_line.h"

namespace corvax::platform {
namespace {

// Only async-signal-safe calls: the process ends here, nothing is thrown.
void WriteAll(int fd, const char* text, std::size_t length) {
  while (length > 0) {
    const ssize_t written = ::write(fd, text, length);
    if (written <= 0) return;
    text += written;
    length -= static_cast<std::size_t>(written);
  }
}

extern "C" void OnFatalSignal(int signalNumber) {
  const SignalLine line = MakeSignalLine(signalNumber);
  WriteAll(STDOUT_FILENO, line.text, line.length);
  static const char kMessage[] = "Received Signal";
  WriteAll(STDERR_FILENO, kMessage, sizeof kMessage - 1);
  ::_exit(255);
}

}  // namespace

void InstallFatalHandlers() {
  for (const int signalNumber : {SIGILL, SIGSEGV, SIGABRT, SIGTERM}) {
    struct sigaction action = {};
    action.sa_handler = &OnFatalSignal;
    sigemptyset(&action.sa_mask);
    sigaction(signalNumber, &action, nullptr);
  }
}

String ExecutablePath(const char* fallback) {
  std::array<char, 1024> buffer{};
  const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (length <= 0) return FromUtf8(fallback ? fallback : "");
  return FromUtf8(std::string_view(buffer.data(), static_cast<std::size_t>(length)));
}

String CurrentDirectory() {
  // The system sizes the buffer, so a deep directory is never cut short.
  const std::unique_ptr<char, decltype(&std::free)> directory(::getcwd(nullptr, 0), &std::free);
  return directory ? FromUtf8(directory.get()) : String();
}

void ChangeDirectory(const String& path) {
  (void)::chdir(ToUtf8(path).c_str());
}

std::vector<String> Arguments(int argc, char** argv) {
  std::vector<String> arguments;
  for (int i = 0; i < argc; ++i) arguments.push_back(FromUtf8(argv[i]));
  return arguments;
}

}  // namespace corvax::platform
