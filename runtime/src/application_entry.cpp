#include <corvax/runtime/application_entry.h>

#include <cstdio>
#include <cstdlib>
#include <exception>

#include <corvax/runtime/immortal.h>
#include <corvax/runtime/runtime_module.h>

#include "process_platform.h"

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
  static auto* const info = &MakeImmortal<ProcessInfo>();
  return *info;
}

[[noreturn]] void DieWithText(const char* text) {
  std::fputs(text, stderr);
  std::fflush(stderr);
  std::exit(-1);
}

void RunApplicationWrapper(MainRoutine mainRoutine) {
  static bool started = false;
  if (!StartOnce(started)) return;
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
  // A program at the root of the file system lives in "/", not in "".
  if (slash == 0) return u"/";
  if (slash > 0 && executablePath[slash - 1] == u':') return executablePath.substr(0, slash + 1);
  return executablePath.substr(0, slash);
}

int RunApplication(int argc, char** argv, MainRoutine mainRoutine) {
  platform::InstallFatalHandlers();
  try {
    auto& info = Info();
    info.appFile = ToForwardSlashes(platform::ExecutablePath(argc > 0 ? argv[0] : nullptr));
    info.appDir = ApplicationDirectoryOf(info.appFile);
    info.launchDir = ToForwardSlashes(platform::CurrentDirectory());
    info.appTitle = u"Corvax Application";
    info.appArgs = platform::Arguments(argc, argv);
    // Relative paths resolve next to the executable from here on; a failure leaves the
    // launch directory in force.
    if (!info.appDir.empty()) platform::ChangeDirectory(info.appDir);
    RunApplicationWrapper(mainRoutine);
  } catch (const std::exception& error) {
    DieWithText(error.what());
  } catch (...) {
    DieWithText("Unknown exception");
  }
  return platform::EndApplication(0);
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

String SystemWorkingDirectory() {
  return platform::CurrentDirectory();
}

}  // namespace corvax
