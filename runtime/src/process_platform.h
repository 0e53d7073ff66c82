#pragma once
// What the process start-up asks of the platform, one implementation per platform
// (posix/process_platform.cpp, windows/process_platform.cpp).
#include <vector>

#include <corvax/runtime/string.h>

namespace corvax::platform {

// Fatal signals and faults end the process with status 255 after one line of text.
void InstallFatalHandlers();
// The running program's own file, as the system spells it; the fallback (argv[0]) when the
// system cannot tell.
String ExecutablePath(const char* fallback);
// Empty when the system cannot tell.
String CurrentDirectory();
void ChangeDirectory(const String& path);
// The command line's arguments, the program's name first.
std::vector<String> Arguments(int argc, char** argv);
// Ends RunApplication with `status` for main to return (main_return/application_end.cpp), or,
// in a web page, ends the program with it there and then (web/application_end.cpp).
int EndApplication(int status);

}  // namespace corvax::platform
