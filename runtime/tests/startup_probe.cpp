// A program run by process_test: reports what the runtime recorded, or fails in the way asked.
#include <csignal>
#include <cstdio>
#include <string>

#include <corvax/runtime/runtime_module.h>

namespace {

int mainRuns = 0;
std::string mode;

void MainRoutine() {
  ++mainRuns;
  using corvax::ToUtf8;
  if (mode == "throw") throw corvax::TRuntimeException(u"boom");
  if (mode == "signal") std::raise(SIGTERM);
  if (mode == "segv") std::raise(SIGSEGV);
  std::printf("launch=%s\n", ToUtf8(corvax::LaunchDir()).c_str());
  std::printf("appdir=%s\n", ToUtf8(corvax::AppDir()).c_str());
  std::printf("appfile=%s\n", ToUtf8(corvax::AppFile()).c_str());
  std::printf("title=%s\n", ToUtf8(corvax::AppTitle()).c_str());
  std::printf("args=%zu:%s\n", corvax::AppArgs().size(), ToUtf8(corvax::AppArgs().back()).c_str());
  std::FILE* beside = std::fopen("beside.txt", "rb");
  std::printf("beside=%s\n", beside ? "found" : "missing");
  if (beside) std::fclose(beside);
}

}  // namespace

int main(int argc, char** argv) {
  mode = argc > 1 ? argv[1] : "";
  const int status = corvax::RunApplication(argc, argv, &MainRoutine);
  // The application wrapper runs once, however often it is entered.
  corvax::RunApplication(argc, argv, &MainRoutine);
  std::printf("mainruns=%d\n", mainRuns);
  return status;
}
