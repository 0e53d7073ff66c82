// Object replication between two processes over loopback: the server creates an object and,
// once the client's own object has reached it, changes it; the client, a second copy of this
// program, sees it appear and change.
// Run without arguments: it starts the client itself and prints what the client reports.
#include <chrono>
#include <cstdio>
#include <thread>

#include <corvax/corvax.h>
using namespace corvax;

constexpr int kSlotName = 0;  // objects hold numbered slots of ints, floats and strings
constexpr int kSlotScore = 1;

void Sleep10() {
  std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

void Client(int port) {
  Ref<TGNetHost> host = RepNewHost();
  if (!RepConnect(host, u"127.0.0.1", port, 2000)) {
    std::printf("client: cannot connect\n");
    return;
  }
  Ref<TGNetObject> me = RepNewObject(host);  // objects travel both ways
  RepSetString(me, kSlotName, u"Bo");
  // Sync sends our changes and takes in the peers'; then the object lists say what happened.
  for (int score = 0; score < 3;) {
    RepSync(host);
    Ref<TList> changed = RepObjects(host, 2);  // 1 created, 2 modified, 3 closed, 0 all
    for (int i = 0; i < changed->Count(); ++i) {
      Ref<TGNetObject> object = Cast<TGNetObject>(changed->ValueAtIndex(i));
      score = RepGetInt(object, kSlotScore);
      std::printf("client: %s has score %d\n", ToUtf8(RepGetString(object, kSlotName)).c_str(),
                  score);
    }
    Sleep10();
  }
  RepCloseHost(host);
}

void Server() {
  Ref<TGNetHost> host = RepNewHost();
  int port = 42100;
  while (!RepListen(host, port) && port < 42200) ++port;  // the first free port

  // The client: this program again, with the port as argument, its output on a pipe.
  Ref<TProcess> client = SpawnProcess(u'"' + AppFile() + u"\" " + FromUtf8(std::to_string(port)));
  Ref<TGNetObject> player = RepNewObject(host);
  RepSetString(player, kSlotName, u"Ada");
  bool clientHere = false;  // changes start once the client's object has arrived
  for (int tick = 0; IsProcessRunning(client);) {
    if (clientHere) {
      if (tick % 20 == 0) RepSetInt(player, kSlotScore, tick / 20);  // a change every 200 ms
      ++tick;
    }
    RepSync(host);
    clientHere = clientHere || RepObjects(host, 1)->Count() > 0;
    for (String line; !(line = client->Pipe()->ReadTextLine()).empty();)
      std::printf("%s\n", ToUtf8(line).c_str());
    Sleep10();
  }
  for (String line; !(line = client->Pipe()->ReadTextLine()).empty();)
    std::printf("%s\n", ToUtf8(line).c_str());
  std::printf("server: client ended with status %d\n", client->ExitStatus());
  RepCloseHost(host);
}

void Main() {
  StartupCorvax();
  const auto& args = AppArgs();
  if (args.size() > 1) {
    Client(std::stoi(ToUtf8(args[1])));
  } else {
    Server();
  }
}

int main(int argc, char** argv) {
  return RunApplication(argc, argv, Main);
}
