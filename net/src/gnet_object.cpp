#include <corvax/net/gnet_object.h>

#include <corvax/net/gnet_host.h>
#include <corvax/runtime/exceptions.h>

#include "gnet_wire.h"

namespace corvax {
namespace {

constexpr std::size_t kMaxMessageData = 65520;

void Put(std::vector<std::uint8_t>& bytes, std::uint32_t value, int count) {
  for (int shift = (count - 1) * 8; shift >= 0; shift -= 8) {
    bytes.push_back(static_cast<std::uint8_t>(value >> shift));
  }
}

std::size_t RecordSize(const TGNetSlot& slot) {
  switch (slot.Type()) {
    case GNET_INT:
      return 5;
    case GNET_FLOAT:
    case GNET_SHORT:
      return 3;
    case GNET_STRING:
      return 3 + slot.GetString().size();
    case GNET_BYTE:
      return 2;
    default:
      return 0;
  }
}

}  // namespace

void TGNetSlot::SetInt(int value) {
  intValue_ = value;
  if (value < 0 || value > 65535) {
    type_ = GNET_INT;
  } else {
    type_ = value <= 255 ? GNET_BYTE : GNET_SHORT;
  }
}

void TGNetSlot::SetFloat(float value) {
  floatValue_ = value;
  type_ = GNET_FLOAT;
}

void TGNetSlot::SetString(const String& value) {
  stringValue_ = value;
  type_ = GNET_STRING;
}

TGNetObject::TGNetObject() : slots_(kSlotCount) {
  for (auto& slot : slots_) slot = New<TGNetSlot>();
}

void TGNetObject::Close() {
  switch (state_) {
    case GNET_CREATED:
      state_ = GNET_DEAD;
      break;
    case GNET_MODIFIED:
    case GNET_IN_STEP:
      state_ = GNET_CLOSED;
      break;
    case GNET_CLOSED:
      break;
    default:
      throw TThrownString(u"Illegal object state");
  }
}

void TGNetObject::SetInt(int slot, int value) {
  TouchSlot(slot)->SetInt(value);
}
void TGNetObject::SetFloat(int slot, float value) {
  TouchSlot(slot)->SetFloat(value);
}
void TGNetObject::SetString(int slot, const String& value) {
  TouchSlot(slot)->SetString(value);
}
int TGNetObject::GetInt(int slot) const {
  return slots_[slot]->GetInt();
}
float TGNetObject::GetFloat(int slot) const {
  return slots_[slot]->GetFloat();
}
String TGNetObject::GetString(int slot) const {
  return slots_[slot]->GetString();
}

Ref<TGNetSlot> TGNetObject::TouchSlot(int slot) {
  Ref<TGNetSlot> touched = slots_[slot];
  changedMask_ |= 1u << slot;
  if (state_ == GNET_IN_STEP) state_ = GNET_MODIFIED;
  return touched;
}

Ref<TGNetMsg> TGNetObject::TakeChanges() {
  if (state_ == GNET_IN_STEP || state_ == GNET_DEAD) return nullptr;
  Ref<TGNetMsg> message;
  if (!owner_) message = New<TGNetMsg>(id_, state_, Encode(changedMask_));
  changedMask_ = 0;
  if (state_ == GNET_CREATED || state_ == GNET_MODIFIED) {
    state_ = GNET_IN_STEP;
  } else if (state_ == GNET_CLOSED) {
    userObject_ = nullptr;
    state_ = GNET_DEAD;
  }
  return message;
}

void TGNetObject::Apply(const TGNetMsg& message) {
  Decode(message.data);
  state_ = message.type;
}

Ref<TGNetMsg> TGNetObject::CreateMessage() const {
  return New<TGNetMsg>(id_, GNET_CREATED, Encode(NonEmptyMask()));
}

Ref<TGNetMsg> TGNetObject::CloseMessage() const {
  return New<TGNetMsg>(id_, GNET_CLOSED);
}

Ref<TGNetMsg> TGNetObject::TargetMessage(int targetId) const {
  return New<TGNetMsg>(targetId, GNET_MESSAGE, Encode(NonEmptyMask()));
}

std::vector<std::uint8_t> TGNetObject::Encode(std::uint32_t mask) const {
  std::size_t size = 0;
  for (int i = 0; i < kSlotCount; ++i) {
    if (mask >> i & 1) size += RecordSize(*slots_[i]);
  }
  if (size > kMaxMessageData) throw TThrownString(u"GNet message data too large");
  std::vector<std::uint8_t> bytes;
  bytes.reserve(size);
  for (int i = 0; i < kSlotCount; ++i) {
    const TGNetSlot& slot = *slots_[i];
    if (!(mask >> i & 1) || slot.Type() == GNET_EMPTY) continue;
    bytes.push_back(static_cast<std::uint8_t>(slot.Type() << 5 | i));
    const auto value = static_cast<std::uint32_t>(slot.GetInt());
    switch (slot.Type()) {
      case GNET_INT:
        Put(bytes, value, 4);
        break;
      case GNET_BYTE:
        Put(bytes, value, 1);
        break;
      case GNET_SHORT:
        Put(bytes, value, 2);
        break;
      case GNET_FLOAT:
        Put(bytes, gnet_wire::FloatToHalf(slot.GetFloat()), 2);
        break;
      case GNET_STRING: {
        const std::string text = To8Bit(slot.GetString());
        Put(bytes, static_cast<std::uint32_t>(text.size()), 2);
        bytes.insert(bytes.end(), text.begin(), text.end());
        break;
      }
      default:
        throw TThrownString(u"Invalid GNet data type");
    }
  }
  return bytes;
}

void TGNetObject::Decode(const std::vector<std::uint8_t>& bytes) {
  for (const gnet_wire::SlotRecord& record : gnet_wire::ParseRecords(bytes)) {
    switch (record.type) {
      case GNET_FLOAT:
        SetFloat(record.slot, record.floatValue);
        break;
      case GNET_STRING:
        SetString(record.slot, record.stringValue);
        break;
      default:
        SetInt(record.slot, record.intValue);
    }
  }
}

Ref<TGNetObject> TGNetObject::Create(int id, int state, Ref<TGNetHost> host, Ref<TGNetPeer> owner) {
  Ref<TGNetObject> object = New<TGNetObject>();
  object->id_ = id;
  object->state_ = state;
  object->host_ = std::move(host);
  object->owner_ = std::move(owner);
  return object;
}

std::uint32_t TGNetObject::NonEmptyMask() const {
  std::uint32_t mask = 0;
  for (int i = 0; i < kSlotCount; ++i) {
    if (slots_[i]->Type() != GNET_EMPTY) mask |= 1u << i;
  }
  return mask;
}

}  // namespace corvax
