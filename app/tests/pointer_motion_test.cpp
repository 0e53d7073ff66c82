#include <gtest/gtest.h>

#include <corvax/app/pointer_motion.h>

namespace corvax {
namespace {

TEST(NextPointerCoordinate, StillMouseKeepsThePosition) {
  EXPECT_EQ(NextPointerCoordinate(0, 320, 640), 320);
  EXPECT_EQ(NextPointerCoordinate(0, 240, 480), 240);
  EXPECT_EQ(NextPointerCoordinate(0, 0, 640), 0);
}

TEST(NextPointerCoordinate, LosesTheFractionEveryFrame) {
  EXPECT_EQ(NextPointerCoordinate(1, 320, 640), 320);
  EXPECT_EQ(NextPointerCoordinate(2, 320, 640), 321);
  EXPECT_EQ(NextPointerCoordinate(10, 320, 640), 329);
  EXPECT_EQ(NextPointerCoordinate(-1, 320, 640), 319);
  EXPECT_EQ(NextPointerCoordinate(-10, 320, 640), 311);
}

TEST(NextPointerCoordinate, WrapsAroundBothEdges) {
  EXPECT_EQ(NextPointerCoordinate(20, 630, 640), 8);
  EXPECT_EQ(NextPointerCoordinate(-20, 5, 640), 627);
  EXPECT_EQ(NextPointerCoordinate(100, 470, 480), 80);
  EXPECT_EQ(NextPointerCoordinate(-320, 0, 640), 352);
}

TEST(PointerCopies, OnlyTheImageItselfAwayFromTheEdges) {
  EXPECT_EQ(PointerCopies({320, 240}, 12, 21, 640, 480),
            (std::vector<PointerPosition>{{320, 240}}));
  EXPECT_EQ(PointerCopies({628, 459}, 12, 21, 640, 480),
            (std::vector<PointerPosition>{{628, 459}}));
}

TEST(PointerCopies, CopiesEnterAtTheOppositeEdges) {
  EXPECT_EQ(PointerCopies({629, 459}, 12, 21, 640, 480),
            (std::vector<PointerPosition>{{629, 459}, {-11, 459}}));
  EXPECT_EQ(PointerCopies({100, 460}, 12, 21, 640, 480),
            (std::vector<PointerPosition>{{100, 460}, {100, -20}}));
  EXPECT_EQ(PointerCopies({639, 479}, 12, 21, 640, 480),
            (std::vector<PointerPosition>{{639, 479}, {-1, 479}, {639, -1}, {-1, -1}}));
}

}  // namespace
}  // namespace corvax
