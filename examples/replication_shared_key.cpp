// Replication between hosts that share a key, in one program over loopback: a host holding the
// key gets the server's object; a host with another key is refused, and both sides are told.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <thread>
#include <vector>

#include <corvax/corvax.h>
using namespace corvax;

constexpr int kSlotName = 0;

// Every host taking part must hold the same 32 bytes, from wherever the program keeps secrets.
std::vector<std::uint8_t> Key(std::uint8_t fill) {
  return std::vector<std::uint8_t>(TGNetHost::kKeyBytes, fill);
}

void Main() {
  StartupCorvax();
  Ref<TGNetHost> server = RepNewHost();
  RepSetKey(server, Key(42));  // before listening or connecting
  int port = 42200;
  while (!RepListen(server, port) && port < 42300) ++port;

  Ref<TGNetHost> friendly = RepNewHost();
  RepSetKey(friendly, Key(42));
  Ref<TGNetHost> other = RepNewHost();
  RepSetKey(other, Key(7));
  RepConnect(friendly, u"127.0.0.1", port, 0);
  RepConnect(other, u"127.0.0.1", port, 0);

  Ref<TGNetObject> player = RepNewObject(server);
  RepSetString(player, kSlotName, u"Ada");
  String got, serverRefused, otherRefused;
  for (int round = 0; round < 200; ++round) {
    for (const Ref<TGNetHost>& host : {server, friendly, other}) {
      RepSync(host);
      // Refusals arrive as events of the Sync, with the line that says why.
      for (const Ref<Object>& refusal : *RepRefusals(host))
        (host == server ? serverRefused : otherRefused) = refusal->ToString();
    }
    Ref<TList> created = RepObjects(friendly, 1);
    if (created->Count() > 0) got = RepGetString(Cast<TGNetObject>(created->First()), kSlotName);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  std::printf("friendly got: %s\n", ToUtf8(got).c_str());
  std::printf("server: %s\n", ToUtf8(serverRefused).c_str());
  std::printf("other: %s\n", ToUtf8(otherRefused).c_str());
  std::printf("other holds %d objects\n", RepObjects(other, 0)->Count());
  for (const Ref<TGNetHost>& host : {friendly, other, server}) RepCloseHost(host);
}

int main(int argc, char** argv) {
  return RunApplication(argc, argv, Main);
}
