#include <gtest/gtest.h>

#include "joystick_state.h"

namespace corvax {
namespace {

TEST(JoystickState, PortsAreHandedOutLowestFirstAndKeptWhileAttached) {
  JoystickState state;
  EXPECT_EQ(state.Attach(10, u"pad A"), 0);
  EXPECT_EQ(state.Attach(11, u"pad B"), 1);
  state.Detach(10);
  EXPECT_EQ(state.Count(), 1);
  EXPECT_EQ(state.Name(0), u"");
  EXPECT_EQ(state.Name(1), u"pad B");
  EXPECT_EQ(state.Attach(12, u"pad C"), 0);
  for (int id = 13; id < 13 + 14; ++id) EXPECT_GE(state.Attach(id, u"x"), 0);
  EXPECT_EQ(state.Count(), 16);
  EXPECT_EQ(state.Attach(99, u"seventeenth"), -1);
  EXPECT_EQ(state.Name(-1), u"");
  EXPECT_EQ(state.Name(16), u"");
}

TEST(JoystickState, ButtonsCountPressesFromUpToDown) {
  JoystickState state;
  state.Attach(7, u"pad");
  state.Button(7, 3, true);
  state.Button(7, 3, true);
  EXPECT_TRUE(state.ButtonDown(0, 3));
  state.Button(7, 3, false);
  state.Button(7, 3, true);
  EXPECT_EQ(state.TakeButtonHits(0, 3), 2);
  EXPECT_EQ(state.TakeButtonHits(0, 3), 0);
  // Unknown joysticks and buttons beyond 16 change nothing.
  state.Button(8, 3, true);
  state.Button(7, 16, true);
  state.Button(7, -1, true);
  EXPECT_EQ(state.TakeButtonHits(0, 16), 0);
  EXPECT_FALSE(state.ButtonDown(1, 3));
  state.Clear();
  EXPECT_FALSE(state.ButtonDown(0, 3));
}

}  // namespace
}  // namespace corvax
