#include <corvax/net/gnet_refusal.h>

#include <string>

namespace corvax {
namespace {

const char* Why(int reason) {
  switch (reason) {
    case GNET_REFUSED_STRANGER:
      return "it has not proven the shared key";
    case GNET_REFUSED_WRONG_KEY:
      return "it holds another key";
    case GNET_REFUSED_TAMPERED:
      return "a packet did not authenticate";
    case GNET_REFUSED_REPLAYED:
      return "a packet was replayed";
    default:
      return "unknown reason";
  }
}

}  // namespace

String TGNetRefusal::ToString() const {
  const auto byte = [&](int shift) { return std::to_string((ip >> shift) & 0xFF); };
  const std::string line = "GNet peer " + byte(24) + "." + byte(16) + "." + byte(8) + "." +
                           byte(0) + ":" + std::to_string(port) + " refused: " + Why(reason);
  return FromUtf8(line);
}

}  // namespace corvax
