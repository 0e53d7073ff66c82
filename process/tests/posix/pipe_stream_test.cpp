#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include <corvax/process/pipe_stream.h>
#include <corvax/runtime/exceptions.h>

namespace corvax {
namespace {

// A pipe whose write end the test feeds and whose read end a TPipeStream owns.
class PipeStreamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    int fds[2];
    ASSERT_EQ(pipe2(fds, O_CLOEXEC), 0);
    feed_ = fds[1];
    // Room for the overflow case: more than the line buffer must fit in the pipe.
    fcntl(feed_, F_SETPIPE_SZ, 1 << 16);
    stream_ = TPipeStream::Create(fds[0], -1);
  }
  void TearDown() override {
    if (feed_ >= 0) close(feed_);
  }
  void Feed(const std::string& bytes) {
    ASSERT_EQ(write(feed_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  int feed_ = -1;
  Ref<TPipeStream> stream_;
};

TEST_F(PipeStreamTest, LineComesBackOnceItsLineFeedArrives) {
  EXPECT_EQ(stream_->ReadTextLine(), u"");  // nothing at all: no wait
  Feed("hel");
  EXPECT_EQ(stream_->ReadTextLine(), u"");
  Feed("lo\nwor");
  EXPECT_EQ(stream_->ReadTextLine(), u"hello");
  EXPECT_EQ(stream_->ReadTextLine(), u"");
  Feed("ld\n");
  EXPECT_EQ(stream_->ReadTextLine(), u"world");
}

TEST_F(PipeStreamTest, LineEndsAreDropped) {
  Feed("crlf\r\nlf\n\n\r\nlast\xE9\n");
  EXPECT_EQ(stream_->ReadTextLine(), u"crlf");
  EXPECT_EQ(stream_->ReadTextLine(), u"lf");
  EXPECT_EQ(stream_->ReadTextLine(), u"");
  EXPECT_EQ(stream_->ReadTextLine(), u"");
  EXPECT_EQ(stream_->ReadTextLine(), u"last\u00E9");  // bytes as 8-bit text
}

TEST_F(PipeStreamTest, FullBufferWithoutLineOverflows) {
  Feed(std::string(5000, 'x'));
  EXPECT_EQ(stream_->ReadTextLine(), u"");  // 4096 buffered, the rest waits
  try {
    stream_->ReadTextLine();
    FAIL() << "no overflow";
  } catch (const TRuntimeException& e) {
    EXPECT_EQ(e.Message(), u"PipeStream ReadBuffer Overflow");
  }
}

TEST_F(PipeStreamTest, FullBufferHoldingLinesStillGivesThem) {
  Feed(std::string(10, 'a') + "\n" + std::string(5000, 'b'));
  EXPECT_EQ(stream_->ReadTextLine(), u"aaaaaaaaaa");
  EXPECT_EQ(stream_->ReadTextLine(), u"");
}

TEST_F(PipeStreamTest, ReadHandsOutWhatALineReadLeftBufferedFirst) {
  Feed("one\ntwo-three");
  EXPECT_EQ(stream_->ReadTextLine(), u"one");
  EXPECT_EQ(stream_->BytesAvailable(), 9);
  char bytes[4] = {};
  EXPECT_EQ(stream_->Read(bytes, 4), 4);
  EXPECT_EQ(std::string(bytes, 4), "two-");
  Feed("!");
  const auto rest = stream_->ReadAvailable();
  EXPECT_EQ(std::string(rest.begin(), rest.end()), "three!");
  EXPECT_TRUE(stream_->ReadAvailable().empty());
}

TEST_F(PipeStreamTest, ClosedWriterReadsAsZero) {
  Feed("ab");
  close(feed_);
  feed_ = -1;
  char bytes[8];
  EXPECT_EQ(stream_->Read(bytes, 8), 2);
  EXPECT_EQ(stream_->Read(bytes, 8), 0);
  EXPECT_THROW(stream_->ReadBlock(bytes, 1), TStreamReadException);
}

TEST(PipeStream, WritingToAPipeNobodyReadsGivesZeroNotSignal) {
  int fds[2];
  ASSERT_EQ(pipe2(fds, O_CLOEXEC), 0);
  close(fds[0]);
  auto stream = TPipeStream::Create(-1, fds[1]);
  EXPECT_EQ(stream->Write("x", 1), 0);
  EXPECT_THROW(stream->WriteU8(1), TStreamWriteException);
}

TEST(PipeStream, CloseReleasesBothEndsOnce) {
  int fds[2];
  ASSERT_EQ(pipe2(fds, O_CLOEXEC), 0);
  auto stream = TPipeStream::Create(fds[0], fds[1]);
  EXPECT_EQ(stream->Write("ok", 2), 2);
  stream->Close();
  EXPECT_EQ(stream->ReadHandle(), -1);
  EXPECT_EQ(fcntl(fds[0], F_GETFD), -1);
  EXPECT_EQ(fcntl(fds[1], F_GETFD), -1);
  EXPECT_EQ(stream->Close(), 0);
  char byte;
  EXPECT_EQ(stream->Read(&byte, 1), 0);
  EXPECT_EQ(stream->Write("x", 1), 0);
  EXPECT_EQ(stream->Position(), -1);
  EXPECT_FALSE(stream->AtEnd());
}

}  // namespace
}  // namespace corvax
