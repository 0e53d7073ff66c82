#pragma once
// A UDP forwarder on 127.0.0.1 in front of one target port, for testing over a bad network
// without the kernel's help. Each sender that writes to Port() gets a socket of its own towards
// the target, so the target sees one address per sender, and the target's answers go back to
// that sender. Datagrams both ways suffer the faults, each direction by its own schedule.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <queue>
#include <thread>
#include <vector>

#include <enet/enet.h>

#include "fault_schedule.h"

namespace corvax::testing {

class LossyRelay {
 public:
  // What the relay did so far, both directions together.
  struct Counts {
    int received = 0;
    int dropped = 0;
    int duplicated = 0;
    int reordered = 0;
    int sent = 0;
  };

  // Forwards to 127.0.0.1:targetPort from a port of its own, on a thread of its own until
  // destroyed.
  LossyRelay(int targetPort, const LinkFaults& faults, std::uint64_t seed);
  ~LossyRelay();
  LossyRelay(const LossyRelay&) = delete;
  LossyRelay& operator=(const LossyRelay&) = delete;

  // The port senders write to; 0 when the relay could not open it.
  int Port() const { return port_; }
  Counts counts() const;

 private:
  using Clock = std::chrono::steady_clock;
  struct Link {
    ENetAddress sender;
    ENetSocket towardTarget;
  };
  struct Pending {
    Clock::time_point due;
    std::uint64_t order;
    ENetSocket socket;
    ENetAddress to;
    std::vector<std::uint8_t> bytes;
    bool operator>(const Pending& other) const {
      return due != other.due ? due > other.due : order > other.order;
    }
  };

  void Run();
  void WaitForDatagrams();
  void ReadFromSenders();
  void ReadFromTarget(const Link& link);
  const Link* LinkFor(const ENetAddress& sender);
  void Schedule(FaultSchedule& schedule, ENetSocket socket, const ENetAddress& to,
                std::vector<std::uint8_t> bytes);
  void SendDue();

  ENetAddress target_{};
  ENetSocket front_ = ENET_SOCKET_NULL;
  int port_ = 0;
  FaultSchedule toTarget_;
  FaultSchedule fromTarget_;
  std::vector<std::unique_ptr<Link>> links_;
  std::priority_queue<Pending, std::vector<Pending>, std::greater<>> pending_;
  std::uint64_t nextOrder_ = 0;
  mutable std::mutex countsMutex_;
  Counts counts_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace corvax::testing
