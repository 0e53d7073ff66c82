// A child process on pipes: start a program, write lines to its standard input and read its
// standard output line by line without ever blocking the main loop.
#include <chrono>
#include <cstdio>
#include <thread>

#include <corvax/corvax.h>
using namespace corvax;

// The child: this same program started with "--echo" answers every line it reads until an
// empty one.
void Echo() {
  for (String line = InputLine(); !line.empty(); line = InputLine()) {
    PrintLine(u"child got: " + line);  // PrintLine flushes, so the parent sees each line at once
  }
}

void Main() {
  StartupCorvax();
  if (AppArgs().size() > 1 && AppArgs()[1] == u"--echo") return Echo();

  // The first word names the program (quoted, as its path may hold spaces), the rest are its
  // arguments.
  Ref<TProcess> child = SpawnProcess(u"\"" + AppFile() + u"\" --echo");
  if (!child) {
    PrintLine(u"pipes: cannot start " + AppFile());
    return;
  }

  const char16_t* lines[] = {u"first", u"second", u"third"};
  for (const char16_t* line : lines) child->Pipe()->WriteTextLine(line);  // to its stdin
  child->Pipe()->WriteTextLine(u"");                                      // "that is all"

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

  // The empty line ended the child; KillProcess would end it in any case.
  while (IsProcessRunning(child)) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  child->ClosePipes();
  std::printf("child exit status: %d\n", child->ExitStatus());
}

int main(int argc, char** argv) {
  return RunApplication(argc, argv, Main);
}
