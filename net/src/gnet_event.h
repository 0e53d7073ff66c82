#pragma once
// One ENet event kept in a host's queue until Sync takes it.
#include <enet/enet.h>

#include <corvax/runtime/object.h>

namespace corvax {

class ENetEvent : public Object {
 public:
  ::ENetEvent record{};
};

}  // namespace corvax
