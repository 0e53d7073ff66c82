#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <corvax/net/net_module.h>
#include <corvax/runtime/runtime_module.h>

#include "gnet_wire.h"

namespace corvax {
namespace {

using gnet_wire::FloatToHalf;
using gnet_wire::HalfToFloat;

std::string Thrown(const std::function<void()>& action) {
  try {
    action();
  } catch (const TThrownString& thrown) {
    return ToUtf8(thrown.Value());
  }
  return "nothing thrown";
}

TEST(GNetHalf, RoundsAndSaturatesAsTheWireExpects) {
  EXPECT_EQ(FloatToHalf(1.0f), 0x3C00);
  EXPECT_EQ(FloatToHalf(-2.0f), 0xC000);
  EXPECT_EQ(FloatToHalf(0.0f), 0x0000);
  EXPECT_EQ(FloatToHalf(-0.0f), 0x8000);
  EXPECT_EQ(FloatToHalf(65504.0f), 0x7BFF);
  EXPECT_EQ(FloatToHalf(65520.0f), 0x7C00);
  EXPECT_EQ(FloatToHalf(-1e9f), 0xFC00);
  EXPECT_EQ(FloatToHalf(std::numeric_limits<float>::infinity()), 0x7C00);
  EXPECT_EQ(FloatToHalf(std::nanf("")), 0xFFFF);
  EXPECT_EQ(FloatToHalf(0.1f), 0x2E66);
  EXPECT_EQ(HalfToFloat(0x2E66), 0.0999755859375f);
  EXPECT_TRUE(std::isinf(HalfToFloat(0x7C00)) && HalfToFloat(0x7C00) > 0);
  EXPECT_TRUE(std::isinf(HalfToFloat(0xFC00)) && HalfToFloat(0xFC00) < 0);
  EXPECT_EQ(HalfToFloat(0xFFFF), 0.0f);
  EXPECT_EQ(HalfToFloat(0x8000), 0.0f);
}

// Numbers below the normal half range keep their value instead of collapsing to zero.
TEST(GNetHalf, SmallNumbersBecomeSubnormals) {
  EXPECT_EQ(FloatToHalf(0x1p-15f), 0x0200);
  EXPECT_EQ(FloatToHalf(0x1p-24f), 0x0001);
  EXPECT_EQ(FloatToHalf(-0x1p-20f), 0x8010);
  EXPECT_EQ(FloatToHalf(0x1p-26f), 0x0000);
  EXPECT_EQ(FloatToHalf(0x1.FFFp-15f), 0x0400);  // rounds up into the normal range
  EXPECT_EQ(HalfToFloat(0x0001), 0x1p-24f);
  EXPECT_EQ(HalfToFloat(0x8200), -0x1p-15f);
  for (int bits = 1; bits < 0x7C00; ++bits) {
    ASSERT_EQ(FloatToHalf(HalfToFloat(static_cast<std::uint16_t>(bits))), bits);
  }
}

TEST(GNetObject, IntegerRecordsTakeTheSmallestTypeForTheValue) {
  const Ref<TGNetObject> object = New<TGNetObject>();
  const std::pair<int, std::size_t> cases[] = {{255, 2},   {256, 3}, {65535, 3},
                                               {65536, 5}, {-1, 5},  {0, 2}};
  for (auto [value, size] : cases) {
    object->SetInt(3, value);
    EXPECT_EQ(object->Encode(1u << 3).size(), size) << value;
  }
  object->SetInt(0, -5);
  object->SetFloat(1, 1.0f);
  object->SetString(2, u"hi");
  EXPECT_EQ(object->Encode(0x7),
            (std::vector<std::uint8_t>{0x20, 0xFF, 0xFF, 0xFF, 0xFB, 0x41, 0x3C, 0x00, 0x62, 0x00,
                                       0x02, 'h', 'i'}));
  EXPECT_TRUE(object->CreateMessage()->data.size() > 0);
  EXPECT_TRUE(New<TGNetObject>()->CreateMessage()->data.empty());
}

TEST(GNetObject, DecodedValuesMatchAndFloatsArriveAsHalves) {
  const Ref<TGNetObject> from = New<TGNetObject>();
  from->SetInt(0, 70000);
  from->SetInt(31, 200);
  from->SetFloat(5, 0.1f);
  from->SetString(7, u"caf\u00e9");
  const Ref<TGNetObject> to = New<TGNetObject>();
  to->Decode(from->Encode(0xFFFFFFFF));
  EXPECT_EQ(to->GetInt(0), 70000);
  EXPECT_EQ(to->GetInt(31), 200);
  EXPECT_EQ(to->GetFloat(5), HalfToFloat(FloatToHalf(0.1f)));
  EXPECT_EQ(from->GetFloat(5), 0.1f);
  EXPECT_EQ(to->GetString(7), u"caf\u00e9");
}

TEST(GNetObject, MessageDataIsLimitedTo65520Bytes) {
  const Ref<TGNetObject> object = New<TGNetObject>();
  object->SetString(0, String(65517, u'x'));
  EXPECT_EQ(object->Encode(1).size(), 65520u);
  object->SetString(0, String(65518, u'x'));
  EXPECT_EQ(Thrown([&] { object->Encode(1); }), "GNet message data too large");
}

TEST(GNetObject, CorruptRecordsLeaveTheObjectAsItWas) {
  const Ref<TGNetObject> object = New<TGNetObject>();
  object->SetInt(1, 9);
  const std::vector<std::vector<std::uint8_t>> corrupt = {
      {0x81, 0x05, 0x20},        // second record cut short
      {0x61, 0x00, 0x05, 'a'},   // string shorter than its length
      {0x81, 0x05, 0xE1, 0x00},  // unknown type
      {0x01},                    // empty-slot tag
  };
  for (const auto& bytes : corrupt) {
    EXPECT_NE(Thrown([&] { object->Decode(bytes); }), "nothing thrown");
    EXPECT_EQ(object->GetInt(1), 9);
  }
  EXPECT_EQ(Thrown([&] { object->Decode({0x20, 1, 2}); }), "Corrupt GNet message");
  EXPECT_EQ(Thrown([&] { object->Decode({0xC0, 1}); }), "Invalid GNet data type");
}

TEST(GNetObject, SlotsOutsideTheRangeThrowBoundsErrors) {
  const Ref<TGNetObject> object = New<TGNetObject>();
  EXPECT_THROW(object->SetInt(32, 1), TArrayBoundsException);
  EXPECT_THROW(object->GetFloat(-1), TArrayBoundsException);
  EXPECT_EQ(Thrown([&] { object->Close(); }), "Illegal object state");
}

class GNetLocalHost : public ::testing::Test {
 protected:
  void SetUp() override {
    StartupNetModule();
    host = RepNewHost();
  }
  void TearDown() override { RepCloseHost(host); }
  Ref<TGNetHost> host;
};

TEST_F(GNetLocalHost, LocalObjectsStepThroughTheirStates) {
  const Ref<TGNetObject> object = RepNewObject(host);
  EXPECT_TRUE(RepIsLocal(object));
  EXPECT_EQ(object->Id(), 1);
  EXPECT_EQ(RepObjectState(object), GNET_CREATED);
  RepSync(host);
  EXPECT_EQ(RepObjectState(object), GNET_IN_STEP);
  RepSetInt(object, 0, 5);
  EXPECT_EQ(RepObjectState(object), GNET_MODIFIED);
  RepSync(host);
  EXPECT_EQ(RepObjectState(object), GNET_IN_STEP);
  RepSetUserObject(object, Box(u"user"));
  RepCloseObject(object);
  EXPECT_EQ(RepObjectState(object), GNET_CLOSED);
  RepSync(host);
  EXPECT_EQ(RepObjectState(object), GNET_DEAD);
  EXPECT_FALSE(RepUserObject(object));
  EXPECT_TRUE(RepObjects(host, 0)->IsEmpty());
  EXPECT_FALSE(host->ObjectWithId(1));
  EXPECT_EQ(Thrown([&] { RepCloseObject(object); }), "Illegal object state");
  EXPECT_EQ(Thrown([&] { RepObjects(host, 4); }), "Unknown object state");
}

TEST_F(GNetLocalHost, AnObjectClosedBeforeItsFirstSyncJustDisappears) {
  const Ref<TGNetObject> object = RepNewObject(host);
  RepCloseObject(object);
  EXPECT_EQ(RepObjectState(object), GNET_DEAD);
  RepSync(host);
  EXPECT_TRUE(RepObjects(host, 0)->IsEmpty());
  EXPECT_EQ(RepNewObject(host)->Id(), 1);  // the id is free again
}

TEST_F(GNetLocalHost, IdsRunOutAfter4095Objects) {
  for (int i = 1; i <= 4095; ++i) ASSERT_EQ(RepNewObject(host)->Id(), i);
  EXPECT_EQ(Thrown([&] { RepNewObject(host); }), "Out of GNet object IDs");
}

TEST_F(GNetLocalHost, MessagesLiveOutsideTheObjectTable) {
  const Ref<TGNetObject> message = RepNewMessage(host);
  EXPECT_EQ(RepObjectState(message), GNET_MESSAGE);
  EXPECT_EQ(message->Id(), 0);
  EXPECT_TRUE(RepObjects(host, 0)->IsEmpty());
  const Ref<TGNetObject> local = RepNewObject(host);
  RepSetInt(message, 0, 1);
  RepSendMessage(message, local);  // a local target gets nothing, and nothing fails
  EXPECT_EQ(Thrown([&] { RepCloseObject(message); }), "Illegal object state");
}

}  // namespace
}  // namespace corvax
