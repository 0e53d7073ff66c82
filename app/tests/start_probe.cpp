// Runs the application's real start-up, then reports what the registries hold.
#include <cstdio>
#include <string>

#include <corvax/app/application.h>
#include <corvax/pixmap/pixmap_module.h>
#include <corvax/runtime/runtime_module.h>
#include <corvax/stream/stream_module.h>

namespace {

void ReportStartup() {
  corvax::StartApplicationModules();
  corvax::StartApplicationModules();
  std::string chain;
  for (auto f = corvax::TStreamFactory::FirstFactory(); f; f = f->NextFactory()) {
    chain += corvax::ToUtf8(f->ToString()) + " ";
  }
  std::printf("factories=%s\n", chain.c_str());
  std::string loaders;
  for (auto l = corvax::TPixmapLoader::FirstLoader(); l; l = l->NextLoader()) {
    loaders += corvax::ToUtf8(l->ToString()) + " ";
  }
  std::printf("loaders=%s\n", loaders.c_str());
  const auto cursor = corvax::LoadBytes("incbin::cursor.png");
  std::printf("cursor=%zu png=%d\n", cursor.size(), cursor.size() > 8 && cursor[1] == 'P');
}

}  // namespace

int main(int argc, char** argv) {
  return corvax::RunApplication(argc, argv, &ReportStartup);
}
