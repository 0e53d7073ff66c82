// A replication host that joins 127.0.0.1:PORT, owns COUNT sample objects of owner OWNER and
// keeps changing them until it is killed: `owning_peer PORT OWNER COUNT SEED`. It never says
// goodbye, and it ends on its own after a minute in case nobody kills it.
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <corvax/corvax.h>

#include "support/sample_objects.h"

using namespace corvax;

namespace {

constexpr int kConnectMs = 5000;
constexpr int kChangesPerRound = 2;
constexpr auto kLifetime = std::chrono::seconds(60);
constexpr auto kRound = std::chrono::milliseconds(2);

int status = 1;

int Run(int port, int owner, int count, unsigned seed) {
  const Ref<TGNetHost> host = RepNewHost();
  if (!RepConnect(host, u"127.0.0.1", port, kConnectMs)) {
    std::printf("owning_peer: cannot reach port %d\n", port);
    return 1;
  }
  std::mt19937 random(seed);
  std::vector<Ref<TGNetObject>> objects;
  for (int number = 0; number < count; ++number) {
    objects.push_back(RepNewObject(host));
    testing::FillSampleObject(*objects.back(), owner, number, random);
  }
  std::uniform_int_distribution<std::size_t> anyObject(0, objects.size() - 1);
  for (const auto end = std::chrono::steady_clock::now() + kLifetime;
       std::chrono::steady_clock::now() < end;) {
    RepSync(host);
    for (int i = 0; i < kChangesPerRound && !objects.empty(); ++i) {
      testing::ChangeSampleObject(*objects[anyObject(random)], random);
    }
    std::this_thread::sleep_for(kRound);
  }
  std::printf("owning_peer: nobody ended me within %lld s\n",
              static_cast<long long>(kLifetime.count()));
  return 1;
}

void Main() {
  StartupCorvax();
  const auto& args = AppArgs();
  if (args.size() != 5) {
    std::printf("usage: owning_peer PORT OWNER COUNT SEED\n");
    return;
  }
  status = Run(std::stoi(ToUtf8(args[1])), std::stoi(ToUtf8(args[2])), std::stoi(ToUtf8(args[3])),
               static_cast<unsigned>(std::stoul(ToUtf8(args[4]))));
}

}  // namespace

int main(int argc, char** argv) {
  const int entry = RunApplication(argc, argv, Main);
  return entry != 0 ? entry : status;
}
