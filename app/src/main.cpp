#include <corvax/app/application.h>
#include <corvax/runtime/application_entry.h>

int main(int argc, char** argv) {
  return corvax::RunApplication(argc, argv, &corvax::PointerDemoMain);
}
