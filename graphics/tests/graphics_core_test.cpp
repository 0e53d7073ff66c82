// The graphics core over a recording driver: driver and context bookkeeping, default graphics,
// presentation paths and graphics objects in data streams.
#include <gtest/gtest.h>

#include <chrono>

#include <corvax/graphics/graphics_module.h>
#include <corvax/stream/stream_module.h>
#include <corvax/system/system_module.h>

#include "fake_graphics_driver.h"
#include "sync_probe.h"

namespace corvax {
namespace {

using testing::FakeGraphics;
using testing::FakeGraphicsDriver;

class GraphicsCore : public ::testing::Test {
 protected:
  void SetUp() override {
    StartupGraphicsCoreModule();
    driver_ = New<FakeGraphicsDriver>();
    SelectGraphicsDriver(driver_, 2);
  }
  void TearDown() override {
    CloseDefaultGraphics();
    SelectGraphicsDriver(nullptr, 0);
  }

  Ref<FakeGraphicsDriver> driver_;
};

TEST_F(GraphicsCore, SelectingADriverDeselectsTheCurrentGraphicsWithoutClosingThem) {
  const Ref<TGraphics> graphics = CreateGraphicsContext(100, 50, 0, 0, 4);
  ASSERT_TRUE(graphics);
  EXPECT_EQ(Cast<FakeGraphics>(graphics)->flags, 6) << "default flags are added";
  MakeGraphicsCurrent(graphics);
  EXPECT_EQ(CurrentGraphicsWidth(), 100);
  EXPECT_EQ(CurrentGraphicsFlags(), 6);

  // The same driver again: deselected without telling the driver.
  SelectGraphicsDriver(driver_, 0);
  EXPECT_FALSE(CurrentGraphics());
  EXPECT_EQ(CurrentGraphicsWidth(), 0);
  EXPECT_EQ(CurrentGraphicsFlags(), 0);
  EXPECT_EQ(GraphicsDriverFlags(), 0);
  EXPECT_EQ(driver_->selections.size(), 1u);

  // Another driver: the old one is told to select none.
  MakeGraphicsCurrent(graphics);
  const Ref<FakeGraphicsDriver> other = New<FakeGraphicsDriver>();
  SelectGraphicsDriver(other, 2);
  ASSERT_EQ(driver_->selections.size(), 3u);
  EXPECT_FALSE(driver_->selections.back());
  EXPECT_EQ(Cast<FakeGraphics>(graphics)->closeCount, 0);

  // Making the first driver's graphics current switches back to that driver, flags kept.
  MakeGraphicsCurrent(graphics);
  EXPECT_EQ(CurrentGraphicsDriver(), driver_);
  EXPECT_EQ(GraphicsDriverFlags(), 2);
  EXPECT_EQ(CurrentGraphics(), graphics);
}

TEST_F(GraphicsCore, DriverFailuresMakeNoContext) {
  driver_->throwOnCreate = true;
  EXPECT_FALSE(CreateGraphicsContext(10, 10, 0, 0, 0));
  EXPECT_FALSE(AttachGraphicsContext(3, 0));
  const std::int32_t sequence = GraphicsSequence();
  EXPECT_FALSE(OpenGraphics(10, 10, 0, 0, 0));
  EXPECT_EQ(GraphicsSequence(), sequence) << "a failed open changes nothing";
  EXPECT_FALSE(DefaultGraphics());

  SelectGraphicsDriver(nullptr, 0);
  EXPECT_FALSE(CreateGraphicsContext(10, 10, 0, 0, 0));
  EXPECT_EQ(GraphicsModeCount(), 0);
  PresentFrame(-1);  // nothing to present to
}

TEST_F(GraphicsCore, ModesAreFetchedOncePerDriverAndMatchedWithWildcards) {
  driver_->modes = Array<Ref<TGraphicsMode>>{New<TGraphicsMode>(640, 480, 16, 60),
                                             New<TGraphicsMode>(800, 600, 32, 75)};
  EXPECT_EQ(GraphicsModeCount(), 2);
  int width = 0, height = 0, depth = 0, hertz = 0;
  GraphicsModeAt(1, width, height, depth, hertz);
  EXPECT_EQ(width, 800);
  EXPECT_EQ(height, 600);
  EXPECT_EQ(depth, 32);
  EXPECT_EQ(hertz, 75);
  EXPECT_THROW(GraphicsModeAt(2, width, height, depth, hertz), TArrayBoundsException);
  EXPECT_THROW(GraphicsModeAt(-1, width, height, depth, hertz), TArrayBoundsException);
  EXPECT_EQ(HasGraphicsMode(640, 480, 0, 0), 1);
  EXPECT_EQ(HasGraphicsMode(0, 0, 32, 75), 1);
  EXPECT_EQ(HasGraphicsMode(640, 480, 32, 0), 0);
  EXPECT_EQ(driver_->enumerations, 1);

  // The list handed out is a copy.
  ListGraphicsModes().Items().clear();
  EXPECT_EQ(GraphicsModeCount(), 2);
  SelectGraphicsDriver(New<FakeGraphicsDriver>(), 0);
  SelectGraphicsDriver(driver_, 0);
  EXPECT_EQ(GraphicsModeCount(), 2);
  EXPECT_EQ(driver_->enumerations, 2) << "a driver change empties the cache";
}

TEST_F(GraphicsCore, OpenGraphicsAdvancesTheSequenceAndClosesThePreviousDefault) {
  const std::int32_t start = GraphicsSequence();
  const Ref<TGraphics> first = OpenGraphics(320, 200, 0, 0);
  ASSERT_TRUE(first);
  EXPECT_EQ(GraphicsSequence(), start + 1);
  EXPECT_EQ(DefaultGraphics(), first);
  EXPECT_EQ(CurrentGraphics(), first);
  EXPECT_EQ(CurrentGraphicsWidth(), 320);

  const Ref<TGraphics> second = OpenGraphics(640, 480, 0, 0);
  EXPECT_EQ(GraphicsSequence(), start + 3) << "once at close, once at open";
  EXPECT_EQ(Cast<FakeGraphics>(first)->closeCount, 1);
  EXPECT_EQ(DefaultGraphics(), second);

  CloseDefaultGraphics();
  EXPECT_EQ(GraphicsSequence(), start + 4);
  EXPECT_FALSE(DefaultGraphics());
  EXPECT_FALSE(CurrentGraphics());
  EXPECT_EQ(Cast<FakeGraphics>(second)->closeCount, 1);
  CloseDefaultGraphics();
  EXPECT_EQ(GraphicsSequence(), start + 4) << "nothing to close";
}

TEST_F(GraphicsCore, ClosingAContextForgetsItAsCurrentAndAsDefault) {
  const Ref<TGraphics> graphics = OpenGraphics(64, 64, 0, 0);
  ASSERT_TRUE(graphics);
  const std::int32_t sequence = GraphicsSequence();
  CloseGraphicsContext(graphics);
  EXPECT_FALSE(DefaultGraphics());
  EXPECT_FALSE(CurrentGraphics());
  EXPECT_EQ(CurrentGraphicsWidth(), 0);
  EXPECT_EQ(Cast<FakeGraphics>(graphics)->closeCount, 1);
  EXPECT_EQ(GraphicsSequence(), sequence);
  EXPECT_FALSE(driver_->selections.back());

  // A context that is neither current nor default is only closed.
  const Ref<TGraphics> other = CreateGraphicsContext(8, 8, 0, 0, 0);
  CloseGraphicsContext(other);
  EXPECT_EQ(Cast<FakeGraphics>(other)->closeCount, 1);
  CloseGraphicsContext(nullptr);
}

TEST_F(GraphicsCore, PresentFrameChoosesSyncByModeAndPacing) {
  // hertz 0: no pacing; full screen waits for retrace, windows do not.
  ASSERT_TRUE(OpenGraphics(64, 64, 0, 0));
  PresentFrame(-1);
  ASSERT_TRUE(OpenGraphics(64, 64, 32, 0));
  PresentFrame(-1);
  EXPECT_EQ(driver_->presents, (std::vector<int>{0, 1})) << "no sync test without a rate";

  // Explicit sync values bypass pacing.
  driver_->presents.clear();
  ASSERT_TRUE(OpenGraphics(64, 64, 0, 100));
  PresentFrame(0);
  PresentFrame(1);
  // A window with a rate is paced by timer and presents without waiting.
  PresentFrame(-1);
  PresentFrame(-1);
  EXPECT_EQ(driver_->presents, (std::vector<int>{0, 1, 0, 0}));

  // Graphics other than the default ones are never paced.
  driver_->presents.clear();
  MakeGraphicsCurrent(CreateGraphicsContext(32, 32, 16, 100, 0));
  PresentFrame(-1);
  EXPECT_EQ(driver_->presents, (std::vector<int>{1}));
}

TEST_F(GraphicsCore, FullScreenPacingFollowsTheMeasuredRetrace) {
  // Presents that wait a whole frame: the retrace is trusted.
  driver_->retraceMs = 10;
  ASSERT_TRUE(OpenGraphics(64, 64, 32, 100));
  const std::size_t measured = driver_->presents.size();
  EXPECT_GE(measured, 3u);
  PresentFrame(-1);
  EXPECT_EQ(driver_->presents.back(), 1);
  EXPECT_EQ(driver_->presents.size(), measured + 1);

  // Presents that return at once: paced by timer instead, decided as soon as a run of them has
  // shown that they wait for no retrace, not after spinning for the whole second.
  driver_->retraceMs = 0;
  driver_->presents.clear();
  ASSERT_TRUE(OpenGraphics(64, 64, 32, 100));
  EXPECT_GE(driver_->presents.size(), static_cast<std::size_t>(SyncProbe::kFastNeeded));
  EXPECT_LT(driver_->presents.size(), static_cast<std::size_t>(100 * SyncProbe::kFastNeeded));
  driver_->presents.clear();
  PresentFrame(-1);
  EXPECT_EQ(driver_->presents, (std::vector<int>{0}));

  // Presents that wait, but not a frame (12 ms of 20): measured for the whole second, then
  // paced by timer.
  driver_->retraceMs = 12;
  driver_->presents.clear();
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(OpenGraphics(64, 64, 32, 50));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(990));
  driver_->presents.clear();
  PresentFrame(-1);
  EXPECT_EQ(driver_->presents, (std::vector<int>{0}));
}

Ref<Object> CountFrame(int, const Ref<Object>& data, const Ref<Object>& context) {
  Cast<TList>(context)->AddLast(Box(u"frame"));
  return data;
}

TEST_F(GraphicsCore, EveryPresentRunsTheFrameHookFirst) {
  ASSERT_GE(FrameHookId(), 0);
  const Ref<TList> frames = New<TList>();
  InstallHook(FrameHookId(), &CountFrame, frames);
  PresentFrame(0);
  PresentFrame(-1);
  UninstallHook(FrameHookId(), &CountFrame, frames);
  PresentFrame(0);
  EXPECT_EQ(frames->Count(), 2);
}

TEST_F(GraphicsCore, OpeningGraphicsStartsPolledInputAndClosingStopsIt) {
  ASSERT_TRUE(OpenGraphics(64, 64, 0, 0));
  BroadcastEvent(MakeEvent(EventId::KeyDown, nullptr, KEY_ESCAPE));
  EXPECT_EQ(KeyHitCount(KEY_ESCAPE), 1);
  CloseDefaultGraphics();
  BroadcastEvent(MakeEvent(EventId::KeyDown, nullptr, KEY_ESCAPE));
  EXPECT_EQ(KeyHitCount(KEY_ESCAPE), 0);
}

TEST_F(GraphicsCore, GraphicsTravelThroughDataStreamsAsTheirMode) {
  StartupStreamModule();
  const Ref<TGraphics> graphics = CreateGraphicsContext(320, 240, 16, 72, 0);
  EXPECT_EQ(graphics->GetDataType(), driver_);
  EXPECT_EQ(driver_->TypeName(), u"KVT.Graphics.TGraphics");

  const Ref<TBankStream> bytes = CreateBankStream();
  const Ref<TDataStream> out = CreateDataStream(bytes);
  out->WriteObject(graphics);
  // Type id 1, the type line, then the four settings (the flags are not kept).
  bytes->SeekTo(0);
  EXPECT_EQ(bytes->ReadU8(), 1);
  EXPECT_EQ(bytes->ReadTextLine(), u"KVT.Graphics.TGraphics");
  EXPECT_EQ(bytes->ReadI32(), 320);
  EXPECT_EQ(bytes->ReadI32(), 240);
  EXPECT_EQ(bytes->ReadI32(), 16);
  EXPECT_EQ(bytes->ReadI32(), 72);
  EXPECT_TRUE(bytes->AtEnd());

  // Reading opens default graphics of that mode through the current driver.
  bytes->SeekTo(0);
  const Ref<FakeGraphics> read = Cast<FakeGraphics>(CreateDataStream(bytes)->ReadObject());
  ASSERT_TRUE(read);
  EXPECT_EQ(DefaultGraphics(), read);
  EXPECT_EQ(read->width, 320);
  EXPECT_EQ(read->hertz, 72);
}

TEST_F(GraphicsCore, TruncatedGraphicsInADataStreamFailToRead) {
  StartupStreamModule();
  const Ref<TBankStream> bytes = CreateBankStream();
  bytes->WriteU8(1);
  bytes->WriteTextLine(u"KVT.Graphics.TGraphics");
  bytes->WriteI32(320);
  bytes->SeekTo(0);
  EXPECT_ANY_THROW(CreateDataStream(bytes)->ReadObject());
  EXPECT_FALSE(DefaultGraphics());
}

}  // namespace
}  // namespace corvax
