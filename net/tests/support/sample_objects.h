#pragma once
// Replicated objects holding a value of every field type, named by owner and number so that the
// copies on different hosts can be matched, and views of what a host holds for comparing hosts.
#include <map>
#include <random>
#include <string>

#include <corvax/net/gnet_host.h>

namespace corvax::testing {

// Slot 0 holds the name, owner * kOwnerStride + number, and never changes.
constexpr int kSlotName = 0;
constexpr int kOwnerStride = 1000;

// Sets every slot of the sample with values that cross the wire unchanged: floats exact in half
// precision, strings of 8-bit characters.
void FillSampleObject(TGNetObject& object, int owner, int number, std::mt19937& random);
// New values for some of the slots other than the name.
void ChangeSampleObject(TGNetObject& object, std::mt19937& random);
int OwnerOf(const TGNetObject& object);

// Name → the sample's slots as they go on the wire, for every object the host holds that is
// not closing: the same text on two hosts means the same values of the same types.
using ObjectView = std::map<int, std::string>;
ObjectView ViewOf(const TGNetHost& host);
// The same for the host's own objects alone.
ObjectView LocalView(const TGNetHost& host);
// How many objects one view lacks, has in excess, or holds with other values than the other.
int DifferenceCount(const ObjectView& view, const ObjectView& other);

}  // namespace corvax::testing
