#include "lossy_relay.h"

#include <algorithm>

namespace corvax::testing {
namespace {

constexpr enet_uint32 kLoopbackHost = 0x7F000001;
// Longest wait for datagrams when nothing is due, so that stopping is noticed soon.
constexpr int kIdleWaitMs = 5;
// Room for a burst from many ENet peers at once while the relay thread is not running.
constexpr int kSocketBufferBytes = 4 << 20;
constexpr std::size_t kMaxDatagram = 65536;

ENetAddress Loopback(int port) {
  ENetAddress address{};
  address.host = ENET_HOST_TO_NET_32(kLoopbackHost);
  address.port = static_cast<enet_uint16>(port);
  return address;
}

// A non-blocking UDP socket on 127.0.0.1 at a port the system picks, or ENET_SOCKET_NULL.
ENetSocket OpenLoopbackSocket() {
  const ENetSocket socket = enet_socket_create(ENET_SOCKET_TYPE_DATAGRAM);
  if (socket == ENET_SOCKET_NULL) return socket;
  const ENetAddress local = Loopback(0);
  if (enet_socket_bind(socket, &local) < 0) {
    enet_socket_destroy(socket);
    return ENET_SOCKET_NULL;
  }
  enet_socket_set_option(socket, ENET_SOCKOPT_NONBLOCK, 1);
  enet_socket_set_option(socket, ENET_SOCKOPT_RCVBUF, kSocketBufferBytes);
  enet_socket_set_option(socket, ENET_SOCKOPT_SNDBUF, kSocketBufferBytes);
  return socket;
}

// The next datagram waiting on the socket; false when none waits (or the socket failed).
bool ReceiveDatagram(ENetSocket socket, ENetAddress& from, std::vector<std::uint8_t>& bytes) {
  bytes.resize(kMaxDatagram);
  ENetBuffer buffer{};
  buffer.data = bytes.data();
  buffer.dataLength = bytes.size();
  const int length = enet_socket_receive(socket, &from, &buffer, 1);
  if (length <= 0) return false;
  bytes.resize(static_cast<std::size_t>(length));
  return true;
}

bool SameAddress(const ENetAddress& a, const ENetAddress& b) {
  return a.host == b.host && a.port == b.port;
}

}  // namespace

LossyRelay::LossyRelay(int targetPort, const LinkFaults& faults, std::uint64_t seed)
    : target_(Loopback(targetPort)),
      front_(OpenLoopbackSocket()),
      toTarget_(faults, seed, Direction::kToTarget),
      fromTarget_(faults, seed, Direction::kFromTarget) {
  ENetAddress local{};
  if (front_ == ENET_SOCKET_NULL || enet_socket_get_address(front_, &local) < 0) return;
  port_ = local.port;
  thread_ = std::thread([this] { Run(); });
}

LossyRelay::~LossyRelay() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  for (const auto& link : links_) enet_socket_destroy(link->towardTarget);
  if (front_ != ENET_SOCKET_NULL) enet_socket_destroy(front_);
}

LossyRelay::Counts LossyRelay::counts() const {
  const std::lock_guard<std::mutex> lock(countsMutex_);
  return counts_;
}

void LossyRelay::Run() {
  while (!stop_) {
    WaitForDatagrams();
    ReadFromSenders();
    for (const auto& link : links_) ReadFromTarget(*link);
    SendDue();
  }
}

void LossyRelay::WaitForDatagrams() {
  int waitMs = kIdleWaitMs;
  if (!pending_.empty()) {
    const auto untilDue =
        std::chrono::duration_cast<std::chrono::milliseconds>(pending_.top().due - Clock::now());
    waitMs = std::clamp(static_cast<int>(untilDue.count()), 0, kIdleWaitMs);
  }
  ENetSocketSet readable;
  ENET_SOCKETSET_EMPTY(readable);
  ENET_SOCKETSET_ADD(readable, front_);
  ENetSocket highest = front_;
  for (const auto& link : links_) {
    ENET_SOCKETSET_ADD(readable, link->towardTarget);
    highest = std::max(highest, link->towardTarget);
  }
  // Which sockets are ready does not matter: every one is read until it is empty.
  enet_socketset_select(highest, &readable, nullptr, static_cast<enet_uint32>(waitMs));
}

void LossyRelay::ReadFromSenders() {
  ENetAddress sender{};
  std::vector<std::uint8_t> bytes;
  while (ReceiveDatagram(front_, sender, bytes)) {
    const Link* link = LinkFor(sender);
    if (link) Schedule(toTarget_, link->towardTarget, target_, std::move(bytes));
  }
}

void LossyRelay::ReadFromTarget(const Link& link) {
  ENetAddress from{};
  std::vector<std::uint8_t> bytes;
  while (ReceiveDatagram(link.towardTarget, from, bytes)) {
    if (SameAddress(from, target_)) Schedule(fromTarget_, front_, link.sender, std::move(bytes));
  }
}

// A sender seen for the first time gets its own socket; null if none can be opened.
const LossyRelay::Link* LossyRelay::LinkFor(const ENetAddress& sender) {
  for (const auto& link : links_) {
    if (SameAddress(link->sender, sender)) return link.get();
  }
  const ENetSocket socket = OpenLoopbackSocket();
  if (socket == ENET_SOCKET_NULL) return nullptr;
  links_.push_back(std::make_unique<Link>(Link{sender, socket}));
  return links_.back().get();
}

void LossyRelay::Schedule(FaultSchedule& schedule, ENetSocket socket, const ENetAddress& to,
                          std::vector<std::uint8_t> bytes) {
  const DatagramFate fate = schedule.Next();
  {
    const std::lock_guard<std::mutex> lock(countsMutex_);
    ++counts_.received;
    if (fate.dropped) ++counts_.dropped;
    if (!fate.dropped && fate.copies > 1) ++counts_.duplicated;
    if (!fate.dropped && fate.reordered) ++counts_.reordered;
  }
  if (fate.dropped) return;
  const Clock::time_point now = Clock::now();
  for (int copy = 0; copy < fate.copies; ++copy) {
    pending_.push(Pending{now + std::chrono::milliseconds(fate.delayMs[copy]), nextOrder_++, socket,
                          to, bytes});
  }
}

void LossyRelay::SendDue() {
  const Clock::time_point now = Clock::now();
  int sent = 0;
  while (!pending_.empty() && pending_.top().due <= now) {
    const Pending& next = pending_.top();
    ENetBuffer buffer{};
    buffer.data = const_cast<std::uint8_t*>(next.bytes.data());
    buffer.dataLength = next.bytes.size();
    // A datagram the system refuses is lost, as on a real network.
    if (enet_socket_send(next.socket, &next.to, &buffer, 1) > 0) ++sent;
    pending_.pop();
  }
  const std::lock_guard<std::mutex> lock(countsMutex_);
  counts_.sent += sent;
}

}  // namespace corvax::testing
