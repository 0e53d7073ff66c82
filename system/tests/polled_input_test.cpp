#include <gtest/gtest.h>

#include <corvax/system/key_codes.h>
#include <corvax/system/polled_input.h>

#include "fake_driver.h"

namespace corvax {
namespace {

using testing::FakeDriver;
using testing::InstallFakeDriver;

Ref<TEvent> Key(EventId id, int code, const Ref<Object>& source = nullptr) {
  return MakeEvent(id, source, code);
}

class PolledInput : public ::testing::Test {
 protected:
  void SetUp() override {
    driver_ = InstallFakeDriver();
    StartPolledInput();
  }
  void TearDown() override {
    StopPolledInput();
    SetPollOnQuery(1);
  }
  Ref<FakeDriver> driver_;
};

TEST_F(PolledInput, AHeldKeyIsOneHitAcrossManyQueries) {
  driver_->Deliver({Key(EventId::KeyDown, KEY_ESCAPE)});
  for (int i = 0; i < 5; ++i) driver_->Deliver({Key(EventId::KeyRepeat, KEY_ESCAPE)});
  driver_->Deliver({Key(EventId::KeyDown, KEY_ESCAPE)});  // a repeated down adds nothing
  EXPECT_EQ(KeyHitCount(KEY_ESCAPE), 1);
  for (int query = 0; query < 9; ++query) {
    EXPECT_EQ(KeyHitCount(KEY_ESCAPE), 0);
    EXPECT_EQ(IsKeyDown(KEY_ESCAPE), 1);
  }
  driver_->Deliver({Key(EventId::KeyUp, KEY_ESCAPE)});
  EXPECT_EQ(IsKeyDown(KEY_ESCAPE), 0);
}

TEST_F(PolledInput, PressReleasePressBetweenQueriesIsTwoHits) {
  driver_->Deliver(
      {Key(EventId::KeyDown, KEY_A), Key(EventId::KeyUp, KEY_A), Key(EventId::KeyDown, KEY_A)});
  EXPECT_EQ(KeyHitCount(KEY_A), 2);
  EXPECT_EQ(IsKeyDown(KEY_A), 1);
  // Left and right shift are separate keys.
  driver_->Deliver({Key(EventId::KeyDown, KEY_LSHIFT)});
  EXPECT_EQ(IsKeyDown(KEY_LSHIFT), 1);
  EXPECT_EQ(IsKeyDown(KEY_RSHIFT), 0);
}

TEST_F(PolledInput, Keeps256TypedCharactersInOrder) {
  std::vector<Ref<TEvent>> typed;
  for (int i = 0; i < 300; ++i) typed.push_back(Key(EventId::KeyChar, 1000 + i));
  driver_->Deliver(typed);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(NextChar(), 1000 + i);
  EXPECT_EQ(NextChar(), 0);
}

TEST_F(PolledInput, MouseButtonsPointerAndWheel) {
  driver_->Deliver({MakeEvent(EventId::MouseMove, nullptr, 0, 0, 12, 34),
                    MakeEvent(EventId::MouseDown, nullptr, MOUSE_RIGHT, 0, 12, 34),
                    MakeEvent(EventId::MouseWheel, nullptr, 1),
                    MakeEvent(EventId::MouseWheel, nullptr, 2),
                    MakeEvent(EventId::MouseWheel, nullptr, -1)});
  EXPECT_EQ(PointerX(), 12);
  EXPECT_EQ(PointerY(), 34);
  EXPECT_EQ(WheelPosition(), 2);
  EXPECT_EQ(IsMouseDown(MOUSE_RIGHT), 1);
  EXPECT_EQ(MouseHitCount(MOUSE_RIGHT), 1);
  EXPECT_EQ(MouseHitCount(MOUSE_RIGHT), 0);
  EXPECT_EQ(IsMouseDown(MOUSE_LEFT), 0);
  ClearMouse();
  EXPECT_EQ(WheelPosition(), 0);
  EXPECT_EQ(IsMouseDown(MOUSE_RIGHT), 0);
  EXPECT_EQ(PointerX(), 12);
  EXPECT_EQ(PointerY(), 34);
}

TEST_F(PolledInput, SuspendAndResumeWipeKeysAndTerminateIsReadOnce) {
  driver_->Deliver({Key(EventId::KeyDown, KEY_SPACE), Key(EventId::KeyChar, 32),
                    MakeEvent(EventId::MouseDown, nullptr, MOUSE_LEFT),
                    MakeEvent(EventId::AppSuspend)});
  EXPECT_EQ(IsAppSuspended(), 1);
  EXPECT_EQ(IsKeyDown(KEY_SPACE), 0);
  EXPECT_EQ(KeyHitCount(KEY_SPACE), 0);
  EXPECT_EQ(NextChar(), 0);
  EXPECT_EQ(IsMouseDown(MOUSE_LEFT), 0);
  driver_->Deliver({MakeEvent(EventId::AppResume), MakeEvent(EventId::AppTerminate)});
  EXPECT_EQ(IsAppSuspended(), 0);
  EXPECT_EQ(TakeAppTerminate(), 1);
  EXPECT_EQ(TakeAppTerminate(), 0);
}

TEST_F(PolledInput, CodesOutsideTheTablesAreIgnoredNotWrittenAnywhere) {
  driver_->Deliver({Key(EventId::KeyDown, 256), Key(EventId::KeyDown, -1),
                    MakeEvent(EventId::MouseDown, nullptr, 4),
                    MakeEvent(EventId::MouseDown, nullptr, -7)});
  EXPECT_EQ(KeyHitCount(256), 0);
  EXPECT_EQ(IsKeyDown(-1), 0);
  EXPECT_EQ(MouseHitCount(4), 0);
  EXPECT_EQ(IsMouseDown(100000), 0);
}

TEST_F(PolledInput, WithoutPollOnQueryOnlyOtherPumpsDeliver) {
  SetPollOnQuery(0);
  EXPECT_EQ(PollOnQuery(), 0);
  driver_->Deliver({Key(EventId::KeyDown, KEY_B)});
  const int pumpsBefore = driver_->pumps;
  EXPECT_EQ(KeyHitCount(KEY_B), 0);
  EXPECT_EQ(driver_->pumps, pumpsBefore);
  PumpSystem();
  EXPECT_EQ(KeyHitCount(KEY_B), 1);
}

TEST_F(PolledInput, AwaitFunctionsReturnTheFirstArrival) {
  driver_->Deliver({});  // ClearKeys' pump
  driver_->Deliver({});
  driver_->Deliver({Key(EventId::KeyDown, KEY_Z), Key(EventId::KeyDown, KEY_C)});
  EXPECT_EQ(AwaitKey(), KEY_C);
  // The key it did not report keeps its hit.
  EXPECT_EQ(KeyHitCount(KEY_Z), 1);
  driver_->Deliver({});
  driver_->Deliver({Key(EventId::KeyChar, u'q')});
  EXPECT_EQ(AwaitChar(), u'q');
  driver_->Deliver({});
  driver_->Deliver({MakeEvent(EventId::MouseDown, nullptr, MOUSE_MIDDLE)});
  EXPECT_EQ(AwaitMouse(), MOUSE_MIDDLE);
}

TEST(PolledInputSwitching, TheSourceFilterCountsOnlyItsSource) {
  const auto driver = InstallFakeDriver();
  const auto mine = New<TList>();
  const auto other = New<TList>();
  StartPolledInput(mine);
  StartPolledInput(nullptr);  // already listening: the filter stays
  BroadcastEvent(Key(EventId::KeyDown, KEY_X, other));
  BroadcastEvent(Key(EventId::KeyDown, KEY_Y, mine));
  EXPECT_EQ(KeyHitCount(KEY_X), 0);
  EXPECT_EQ(KeyHitCount(KEY_Y), 1);
  StopPolledInput();
  // Stopped: nothing is recorded, and the state was cleared.
  EXPECT_EQ(IsKeyDown(KEY_Y), 0);
  BroadcastEvent(Key(EventId::KeyDown, KEY_Y, mine));
  EXPECT_EQ(KeyHitCount(KEY_Y), 0);
  StartPolledInput();
  BroadcastEvent(Key(EventId::KeyDown, KEY_X, other));
  EXPECT_EQ(KeyHitCount(KEY_X), 1);
  StopPolledInput();
}

}  // namespace
}  // namespace corvax
