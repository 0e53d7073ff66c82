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
    case kGNetInt:
      return 5;
    case kGNetFloat:
    case kGNetShort:
      return 3;
    case kGNetString:
      return 3 + slot.GetString().size();
    case kGNetByte:
      return 2;
    default:
      return 0;
  }
}

}  // namespace

void TGNetSlot::SetInt(int value) {
  intValue_ = value;
  if (value < 0 || value > 65535) {
    type_ = kGNetInt;
  } else {
    type_ = value <= 255 ? kGNetByte : kGNetShort;
  }
}

void TGNetSlot::SetFloat(float value) {
  floatValue_ = value;
  type_ = kGNetFloat;
}

void TGNetSlot::SetString(const String& value) {
  stringValue_ = value;
  type_ = kGNetString;
}

TGNetObject::TGNetObject() : slots_(kSlotCount) {
  for (auto& slot : slots_) slot = New<TGNetSlot>();
}

void TGNetObject::Close() {
  switch (state_) {
    case kGNetCreated:
      state_ = kGNetDead;
      break;
    case kGNetModified:
    case kGNetInStep:
      state_ = kGNetClosed;
      break;
    case kGNetClosed:
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
  if (state_ == kGNetInStep) state_ = kGNetModified;
  return touched;
}

Ref<TGNetMsg> TGNetObject::TakeChanges() {
  if (state_ == kGNetInStep || state_ == kGNetDead) return nullptr;
  Ref<TGNetMsg> message;
  if (!owner_) message = New<TGNetMsg>(id_, state_, Encode(changedMask_));
  changedMask_ = 0;
  if (state_ == kGNetCreated || state_ == kGNetModified) {
    state_ = kGNetInStep;
  } else if (state_ == kGNetClosed) {
    userObject_ = nullptr;
    state_ = kGNetDead;
  }
  return message;
}

void TGNetObject::Apply(const TGNetMsg& message) {
  Decode(message.data);
  state_ = message.type;
}

Ref<TGNetMsg> TGNetObject::CreateMessage() const {
  return New<TGNetMsg>(id_, kGNetCreated, Encode(NonEmptyMask()));
}

Ref<TGNetMsg> TGNetObject::CloseMessage() const {
  return New<TGNetMsg>(id_, kGNetClosed);
}

Ref<TGNetMsg> TGNetObject::TargetMessage(int targetId) const {
  return New<TGNetMsg>(targetId, kGNetMessage, Encode(NonEmptyMask()));
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
    if (!(mask >> i & 1) || slot.Type() == kGNetEmpty) continue;
    bytes.push_back(static_cast<std::uint8_t>(slot.Type() << 5 | i));
    const auto value = static_cast<std::uint32_t>(slot.GetInt());
    switch (slot.Type()) {
      case kGNetInt:
        Put(bytes, value, 4);
        break;
      case kGNetByte:
        Put(bytes, value, 1);
        break;
      case kGNetShort:
        Put(bytes, value, 2);
        break;
      case kGNetFloat:
        Put(bytes, gnet_wire::FloatToHalf(slot.GetFloat()), 2);
        break;
      case kGNetString: {
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
      case kGNetFloat:
        SetFloat(record.slot, record.floatValue);
        break;
      case kGNetString:
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
    if (slots_[i]->Type() != kGNetEmpty) mask |= 1u << i;
  }
  return mask;
}

}  // namespace corvax
