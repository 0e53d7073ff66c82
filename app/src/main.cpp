#include <corvax/app/application.h>
#include <corvax/runtime/process.h>

int main(int argc, char** argv) {
  return corvax::RunApplication(argc, argv, &corvax::PointerDemoMain);
}
