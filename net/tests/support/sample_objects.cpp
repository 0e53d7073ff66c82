#include "sample_objects.h"

namespace corvax::testing {
namespace {

// Slots after the name, one per field type; a 32-bit integer is a negative one or one above
// 65535.
enum SampleSlot {
  kNegative = 1,
  kFloat,
  kString,
  kByte,
  kShort,
  kLarge,
  kSampleSlots,
};
constexpr std::uint32_t kSampleMask = (1u << kSampleSlots) - 1;
constexpr int kLongestString = 24;
// Eighths up to 2047/8 need 11 significant bits, which half precision has.
constexpr int kFloatEighths = 2047;

int Between(std::mt19937& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

String SampleString(std::mt19937& random) {
  String text;
  const int length = Between(random, 0, kLongestString);
  for (int i = 0; i < length; ++i) text += static_cast<char16_t>(Between(random, 1, 255));
  return text;
}

void SetSampleSlot(TGNetObject& object, int slot, std::mt19937& random) {
  switch (slot) {
    case kNegative:
      object.SetInt(slot, -Between(random, 1, 1 << 30));
      break;
    case kFloat:
      object.SetFloat(slot, static_cast<float>(Between(random, -kFloatEighths, kFloatEighths)) / 8);
      break;
    case kString:
      object.SetString(slot, SampleString(random));
      break;
    case kByte:
      object.SetInt(slot, Between(random, 0, 255));
      break;
    case kShort:
      object.SetInt(slot, Between(random, 256, 65535));
      break;
    default:
      object.SetInt(slot, Between(random, 65536, 1 << 30));
  }
}

ObjectView View(const TGNetHost& host, bool localOnly) {
  ObjectView view;
  for (const Ref<Object>& item : *host.ObjectList()) {
    const Ref<TGNetObject> object = Cast<TGNetObject>(item);
    if (object->State() == GNET_CLOSED || object->State() == GNET_DEAD) continue;
    if (localOnly && object->Owner()) continue;
    const std::vector<std::uint8_t> bytes = object->Encode(kSampleMask);
    view[object->GetInt(kSlotName)] = std::string(bytes.begin(), bytes.end());
  }
  return view;
}

}  // namespace

void FillSampleObject(TGNetObject& object, int owner, int number, std::mt19937& random) {
  object.SetInt(kSlotName, owner * kOwnerStride + number);
  for (int slot = kNegative; slot < kSampleSlots; ++slot) SetSampleSlot(object, slot, random);
}

void ChangeSampleObject(TGNetObject& object, std::mt19937& random) {
  for (int slot = kNegative; slot < kSampleSlots; ++slot) {
    if (Between(random, 0, 1)) SetSampleSlot(object, slot, random);
  }
}

int OwnerOf(const TGNetObject& object) {
  return object.GetInt(kSlotName) / kOwnerStride;
}

ObjectView ViewOf(const TGNetHost& host) {
  return View(host, false);
}

ObjectView LocalView(const TGNetHost& host) {
  return View(host, true);
}

int DifferenceCount(const ObjectView& view, const ObjectView& other) {
  int differences = 0;
  for (const auto& [name, slots] : view) {
    const auto match = other.find(name);
    differences += match == other.end() || match->second != slots;
  }
  for (const auto& entry : other) differences += view.count(entry.first) == 0;
  return differences;
}

}  // namespace corvax::testing
