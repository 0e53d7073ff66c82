#include <corvax/runtime/application_entry.h>

#include <signal.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include <corvax/runtime/runtime_module.h>

namespace corvax {
namespace {

struct ProcessInfo {
  String launchDir;
  String appDir;
  String appFile;
  String appTitle;
  std::vector<String> appArgs;
};

ProcessInfo& Info() {
  // Never destroyed: exit actions may still use it (see exit_actions.h).
  static auto* const info = new ProcessInfo();
  return *info;
}

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
  char line[32] = "signal!:";
  std::size_t length = 8;
  char digits[12];
  int count = 0;
  for (unsigned value = static_cast<unsigned>(signalNumber); count == 0 || value != 0;
       value /= 10) {
    digits[count++] = static_cast<char>('0' + value % 10);
  }
  while (count > 0) line[length++] = digits[--count];
  line[length++] = '\n';
  WriteAll(STDOUT_FILENO, line, length);
  static const char kMessage[] = "Received Signal";
  WriteAll(STDERR_FILENO, kMessage, sizeof kMessage - 1);
  ::_exit(255);
}

void InstallSignalHandlers() {
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
  if (length <= 0) return ToForwardSlashes(FromUtf8(fallback ? fallback : ""));
  return ToForwardSlashes(
      FromUtf8(std::string_view(buffer.data(), static_cast<std::size_t>(length))));
}

String WorkingDirectory() {
  std::array<char, 1024> buffer{};
  if (!::getcwd(buffer.data(), buffer.size())) return String();
  return ToForwardSlashes(FromUtf8(buffer.data()));
}

[[noreturn]] void DieWithText(const char* text) {
  std::fputs(text, stderr);
  std::fflush(stderr);
  std::exit(-1);
}

void RunApplicationWrapper(MainRoutine mainRoutine) {
  static bool started = false;
  if (started) return;
  started = true;
  StartupRuntimeModule();
  mainRoutine();
}

}  // namespace

String ToForwardSlashes(String path) {
  for (auto& c : path) {
    if (c == u'\\') c = u'/';
  }
  return path;
}

String ApplicationDirectoryOf(const String& executablePath) {
  const auto slash = executablePath.rfind(u'/');
  if (slash == String::npos) return String();
  if (slash > 0 && executablePath[slash - 1] == u':') return executablePath.substr(0, slash + 1);
  return executablePath.substr(0, slash);
}

int RunApplication(int argc, char** argv, MainRoutine mainRoutine) {
  InstallSignalHandlers();
  try {
    auto& info = Info();
    info.appFile = ExecutablePath(argc > 0 ? argv[0] : nullptr);
    info.appDir = ApplicationDirectoryOf(info.appFile);
    info.launchDir = WorkingDirectory();
    info.appTitle = u"Corvax Application";
    info.appArgs.clear();
    for (int i = 0; i < argc; ++i) info.appArgs.push_back(FromUtf8(argv[i]));
    // Relative paths resolve next to the executable from here on; a failure leaves the
    // launch directory in force.
    if (!info.appDir.empty()) (void)::chdir(ToUtf8(info.appDir).c_str());
    RunApplicationWrapper(mainRoutine);
  } catch (const std::exception& error) {
    DieWithText(error.what());
  } catch (...) {
    DieWithText("Unknown exception");
  }
  return 0;
}

const String& LaunchDir() {
  return Info().launchDir;
}
const String& AppDir() {
  return Info().appDir;
}
const String& AppFile() {
  return Info().appFile;
}
const String& AppTitle() {
  return Info().appTitle;
}
const std::vector<String>& AppArgs() {
  return Info().appArgs;
}

}  // namespace corvax
