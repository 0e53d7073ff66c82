// A child process on pipes: start a program, write lines to its standard input and read its
// standard output line by line without ever blocking the main loop.
#include <chrono>
#include <cstdio>
#include <thread>

#include <corvax/corvax.h>
using namespace corvax;

void Main() {
  StartupCorvax();

  // The first word names the program, searched on PATH. This child answers every line it reads.
  Ref<TProcess> child =
      SpawnProcess(u"/bin/sh -c \"while read line; do echo \\\"child got: $line\\\"; done\"");
  if (!child) {
    PrintLine(u"pipes: cannot start /bin/sh");
    return;
  }

  const char16_t* lines[] = {u"first", u"second", u"third"};
  for (const char16_t* line : lines) child->Pipe()->WriteTextLine(line);  // to its stdin

  // ReadTextLine never waits: it gives a whole line once one has arrived, else "". A game loop
  // asks once per frame; here we ask until all three answers are in.
  for (int answers = 0; answers < 3;) {
    const String answer = child->Pipe()->ReadTextLine();
    if (answer.empty()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));  // other work goes here
      continue;
    }
    std::printf("%s\n", ToUtf8(answer).c_str());
    ++answers;
  }

  // Closing its standard input ends the child's loop; KillProcess ends it in any case.
  child->ClosePipes();
  while (IsProcessRunning(child)) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::printf("child exit status: %d\n", child->ExitStatus());
}

int main(int argc, char** argv) {
  return RunApplication(argc, argv, Main);
}
