// One side of a replication between two programs, which may run on different platforms (a
// Linux build and a Windows build under Wine): `replication_peer host PORT NAME` listens,
// `replication_peer join PORT NAME` connects. Each side owns one object holding its name and a
// value of every field type; each waits to see the other's object, then changes its own, and
// ends with status 0 once it has seen the other's change: objects and changes went both ways.
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include <corvax/corvax.h>
using namespace corvax;

namespace {

constexpr int kSlotName = 0;
constexpr int kSlotRound = 1;
constexpr int kSlotRatio = 2;
constexpr int kSlotGreeting = 3;
constexpr float kRatio = 0.625f;
// Strings cross as 8-bit characters: these need all eight bits.
const String kGreeting = u"Gr\u00fc\u00dfe, \u00e9t\u00e9 \u00ff";
constexpr auto kLimit = std::chrono::seconds(20);
constexpr auto kLinger = std::chrono::milliseconds(1500);

// The first remote object, Null while none has arrived.
Ref<TGNetObject> RemoteObject(const Ref<TGNetHost>& host) {
  const Ref<TList> all = RepObjects(host, 0);
  for (int i = 0; i < all->Count(); ++i) {
    const Ref<TGNetObject> object = Cast<TGNetObject>(all->ValueAtIndex(i));
    if (object && RepIsRemote(object)) return object;
  }
  return nullptr;
}

int Run(bool hosting, int port, const String& name) {
  const Ref<TGNetHost> host = RepNewHost();
  if (hosting ? !RepListen(host, port) : !RepConnect(host, u"127.0.0.1", port, 5000)) {
    std::printf("%s: cannot %s port %d\n", ToUtf8(name).c_str(), hosting ? "listen on" : "reach",
                port);
    return 1;
  }
  const Ref<TGNetObject> mine = RepNewObject(host);
  RepSetString(mine, kSlotName, name);
  RepSetInt(mine, kSlotRound, 1);
  RepSetFloat(mine, kSlotRatio, kRatio);
  RepSetString(mine, kSlotGreeting, kGreeting);

  const auto start = std::chrono::steady_clock::now();
  auto seenAt = std::chrono::steady_clock::time_point{};
  while (std::chrono::steady_clock::now() - start < kLimit) {
    RepSync(host);
    const Ref<TGNetObject> theirs = RemoteObject(host);
    if (theirs && RepGetInt(theirs, kSlotRound) >= 1) RepSetInt(mine, kSlotRound, 2);
    if (theirs && RepGetInt(theirs, kSlotRound) == 2 && seenAt == decltype(seenAt){}) {
      seenAt = std::chrono::steady_clock::now();
      std::printf("%s saw %s: round %d, ratio %.3f, greeting %s\n", ToUtf8(name).c_str(),
                  ToUtf8(RepGetString(theirs, kSlotName)).c_str(), RepGetInt(theirs, kSlotRound),
                  RepGetFloat(theirs, kSlotRatio),
                  RepGetString(theirs, kSlotGreeting) == kGreeting ? "intact" : "damaged");
      std::fflush(stdout);
    }
    // Stays a while so that the other side, too, sees this side's change.
    if (seenAt != decltype(seenAt){} && std::chrono::steady_clock::now() - seenAt > kLinger) {
      RepCloseHost(host);
      return 0;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::printf("%s: timed out\n", ToUtf8(name).c_str());
  RepCloseHost(host);
  return 1;
}

int status = 1;

void Main() {
  StartupCorvax();
  const auto& args = AppArgs();
  if (args.size() != 4 || (args[1] != u"host" && args[1] != u"join")) {
    std::printf("usage: replication_peer host|join PORT NAME\n");
    return;
  }
  status = Run(args[1] == u"host", std::stoi(ToUtf8(args[2])), args[3]);
}

}  // namespace

int main(int argc, char** argv) {
  const int entry = RunApplication(argc, argv, Main);
  return entry != 0 ? entry : status;
}
