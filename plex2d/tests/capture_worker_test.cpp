// The capture's encoding thread: every frame handed over comes back, in order and none dropped
// however far the worker falls behind, with the finisher's bytes last; a failing or throwing
// encoder fails its own frame alone.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include <corvax/pixmap/pixmap.h>

#include "capture_worker.h"

namespace corvax {
namespace {

using Results = std::vector<CaptureWorker::Result>;

void Append(Results& all, Results more) {
  for (CaptureWorker::Result& result : more) all.push_back(std::move(result));
}

// Each frame's bytes are its width, so a result names the frame it came from.
bool WidthAsByte(const TPixmap& frame, std::vector<std::uint8_t>& bytes, std::string&) {
  bytes = {static_cast<std::uint8_t>(frame.Width())};
  return true;
}

TEST(CaptureWorker, EveryFrameComesBackInOrderWithTheFinisherLast) {
  constexpr int kFrames = 12;  // more than may wait, so that handing over has to wait too
  CaptureWorker worker(WidthAsByte, [](std::vector<std::uint8_t>& bytes, std::string&) {
    bytes = {0xEE};
    return true;
  });
  Results all;
  for (int index = 0; index < kFrames; ++index) {
    worker.Submit(PixmapCreate(index + 1, 1, FORMAT_GREY8), index);
    Append(all, worker.TakeResults());
  }
  Append(all, worker.Finish());
  ASSERT_EQ(all.size(), kFrames + 1u);
  for (int index = 0; index < kFrames; ++index) {
    EXPECT_EQ(all[index].index, index);
    EXPECT_TRUE(all[index].ok);
    EXPECT_EQ(all[index].bytes, std::vector<std::uint8_t>{static_cast<std::uint8_t>(index + 1)});
  }
  EXPECT_EQ(all.back().index, -1);
  EXPECT_EQ(all.back().bytes, std::vector<std::uint8_t>{0xEE});
  EXPECT_TRUE(worker.Finish().empty());
}

TEST(CaptureWorker, AFailingOrThrowingEncoderFailsItsOwnFrameWithTheReason) {
  CaptureWorker worker(
      [](const TPixmap& frame, std::vector<std::uint8_t>& bytes, std::string& error) {
        if (frame.Width() == 2) throw std::runtime_error("out of memory");
        if (frame.Width() == 3) {
          error = "refused";
          return false;
        }
        return WidthAsByte(frame, bytes, error);
      },
      [](std::vector<std::uint8_t>&, std::string&) -> bool { throw std::runtime_error("late"); });
  for (int index = 0; index < 4; ++index) {
    worker.Submit(PixmapCreate(index + 1, 1, FORMAT_GREY8), index);
  }
  const Results all = worker.Finish();
  ASSERT_EQ(all.size(), 5u);
  EXPECT_TRUE(all[0].ok);
  EXPECT_FALSE(all[1].ok);
  EXPECT_EQ(all[1].error, "out of memory");
  EXPECT_FALSE(all[2].ok);
  EXPECT_EQ(all[2].error, "refused");
  EXPECT_TRUE(all[3].ok);
  EXPECT_FALSE(all[4].ok);
  EXPECT_EQ(all[4].error, "late");
}

// Reference counts are not atomic: a pixmap the drawing thread still holds must not reach the
// worker itself.
TEST(CaptureWorker, AFrameTheCallerStillHoldsIsCopiedFirst) {
  const Ref<TPixmap> kept = PixmapCreate(4, 4, FORMAT_GREY8);
  kept->Pixels()[0] = 77;
  const std::uint8_t* encoded = nullptr;
  std::uint8_t first = 0;
  {
    CaptureWorker worker(
        [&](const TPixmap& frame, std::vector<std::uint8_t>&, std::string&) {
          encoded = frame.Pixels();
          first = frame.Pixels()[0];
          return true;
        },
        [](std::vector<std::uint8_t>&, std::string&) { return true; });
    worker.Submit(kept, 0);
  }
  EXPECT_NE(encoded, kept->Pixels());
  EXPECT_EQ(first, 77);
  EXPECT_EQ(kept->ReferenceCount(), 1);
}

}  // namespace
}  // namespace corvax
