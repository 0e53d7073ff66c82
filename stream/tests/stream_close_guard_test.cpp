// The guard closes the stream it holds exactly once, on whichever way out the scope takes, and
// never lets a failing Close hide the exception that is already leaving.
#include <gtest/gtest.h>

#include <stdexcept>

#include <corvax/stream/stream_close_guard.h>

namespace corvax {
namespace {

class CountingStream : public TStream {
 public:
  int Close() override {
    ++closes;
    if (failClose) throw std::runtime_error("close failed");
    return 0;
  }
  int closes = 0;
  bool failClose = false;
};

TEST(StreamCloseGuard, ClosesOnceWhenClosedExplicitly) {
  const Ref<CountingStream> stream = New<CountingStream>();
  {
    StreamCloseGuard guard(stream);
    guard.Close();
    guard.Close();
  }
  EXPECT_EQ(stream->closes, 1);
}

TEST(StreamCloseGuard, ClosesWhenAnExceptionLeavesTheScope) {
  const Ref<CountingStream> stream = New<CountingStream>();
  EXPECT_THROW(
      {
        StreamCloseGuard guard(stream);
        throw std::logic_error("read failed");
      },
      std::logic_error);
  EXPECT_EQ(stream->closes, 1);
}

TEST(StreamCloseGuard, TheLeavingExceptionWinsOverAFailingClose) {
  const Ref<CountingStream> stream = New<CountingStream>();
  stream->failClose = true;
  EXPECT_THROW(
      {
        StreamCloseGuard guard(stream);
        throw std::logic_error("read failed");
      },
      std::logic_error);
  EXPECT_EQ(stream->closes, 1);
}

TEST(StreamCloseGuard, AFailingExplicitCloseReachesTheCaller) {
  const Ref<CountingStream> stream = New<CountingStream>();
  stream->failClose = true;
  EXPECT_THROW(
      {
        StreamCloseGuard guard(stream);
        guard.Close();
      },
      std::runtime_error);
  EXPECT_EQ(stream->closes, 1);
}

}  // namespace
}  // namespace corvax
