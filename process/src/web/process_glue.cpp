// A web page runs one program, its own: starting another fails, with one line saying so, and
// there are no pipes to read or write.
#include <cstdio>

#include "process_glue.h"

namespace corvax::process_glue {

StartedProcess StartProcess(const std::string& commandLine, int) {
  std::fprintf(stderr, "corvax: cannot start %s: a web page cannot start other programs\n",
               commandLine.c_str());
  return {};
}

int ReadPipe(int, void*, int) {
  return 0;
}

int WritePipe(int, const void*, int) {
  return 0;
}

int PipeBytesAvailable(int) {
  return 0;
}

void ClosePipe(int) {}

bool ProcessRunning(ProcessRecord& record) {
  return !record.ended;
}

int KillProcessTree(ProcessRecord&) {
  return 0;
}

}  // namespace corvax::process_glue
