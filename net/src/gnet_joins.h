#pragma once
// The hosts a replication host was asked to connect to and has not joined yet. On a lossy
// network a handshake now and then goes unanswered until ENet gives up on it; a host that took
// that as final would stay alone for good. So a failed attempt is said on stderr and made again
// after a wait that doubles at each failure, up to a bound, until it joins or the host closes.
#include <enet/enet.h>

#include <chrono>
#include <cstddef>
#include <vector>

namespace corvax {

class GNetJoins {
 public:
  using Clock = std::chrono::steady_clock;
  // The wait after a first failure; it doubles at every further one, up to kLongestRetryWait.
  static constexpr std::chrono::milliseconds kFirstRetryWait{250};
  static constexpr std::chrono::milliseconds kLongestRetryWait{4000};

  // An attempt that hears nothing for deadAfterMs fails.
  explicit GNetJoins(enet_uint32 deadAfterMs) : deadAfterMs_(deadAfterMs) {}

  // Starts connecting to the address; an id for the attempt and its later retries, or 0 when
  // ENet has no peer free.
  int Start(ENetHost& host, const ENetAddress& address, std::size_t channels);
  // The ENet peer the attempt is trying with now; null while it waits to try again.
  ENetPeer* PeerOf(int id) const;
  // The peer connected: its attempt is over. Whether it was one of these attempts.
  bool Joined(const ENetPeer* peer);
  // The peer disconnected before it joined: the failure is reported and the next try
  // scheduled. Whether it was one of these attempts.
  bool Failed(const ENetPeer* peer);
  // Tries again every attempt whose wait is over.
  void RetryDue(ENetHost& host);
  // Forgets every attempt.
  void Clear() { attempts_.clear(); }

 private:
  struct Attempt {
    int id;
    ENetAddress address;
    std::size_t channels;
    ENetPeer* peer;
    Clock::time_point retryAt;
    std::chrono::milliseconds wait;
  };

  ENetPeer* Connect(ENetHost& host, const Attempt& attempt) const;

  enet_uint32 deadAfterMs_;
  int lastId_ = 0;
  std::vector<Attempt> attempts_;
};

}  // namespace corvax
