// A program outside the framework's tree, built against an installed Corvax.
#include <cstdio>

#include <corvax/corvax.h>

namespace {

void Main() {
  corvax::StartupCorvax();
  static const char kBytes[] = "hello";
  corvax::RegisterEmbeddedFile(u"consumer.txt", kBytes, 5);
  const auto bytes = corvax::LoadBytes("incbin::consumer.txt");
  std::printf("consumer read %zu bytes\n", bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  return corvax::RunApplication(argc, argv, &Main);
}
