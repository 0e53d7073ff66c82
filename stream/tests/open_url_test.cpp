#include <gtest/gtest.h>

#include <fstream>

#include <corvax/stream/stream_module.h>

#include "scripted_stream.h"
#include "temp_dir.h"

namespace corvax {
namespace {

// Records every request and answers only its own protocol.
class RecordingFactory : public TStreamFactory {
 public:
  Ref<TStream> CreateStream(const Ref<Object>& url, const String& protocol, const String& path,
                            bool readable, bool writeable) override {
    lastUrl = url;
    lastProtocol = protocol;
    lastPath = path;
    lastReadable = readable;
    lastWriteable = writeable;
    ++calls;
    if (protocol != u"rec") return nullptr;
    return New<testing::ScriptedStream>(std::vector<unsigned char>{1});
  }
  Ref<Object> lastUrl;
  String lastProtocol = u"unset", lastPath = u"unset";
  bool lastReadable = false, lastWriteable = false;
  int calls = 0;
};

TEST(OpenUrlStream, SplitsAtTheFirstSeparatorAndLowersTheProtocol) {
  auto factory = New<RecordingFactory>();
  EXPECT_TRUE(OpenUrlStream("ReC::a::b", true, true));
  EXPECT_EQ(factory->lastProtocol, u"rec");
  EXPECT_EQ(factory->lastPath, u"a::b");
  EXPECT_TRUE(factory->lastReadable && factory->lastWriteable);
  EXPECT_TRUE(OpenWriteStream(u"nobody::x").IsNull());
  EXPECT_EQ(factory->lastProtocol, u"nobody");
  EXPECT_FALSE(factory->lastReadable);
}

TEST(OpenUrlStream, EmptyAndNonStringUrlsReachFactoriesWithEmptyProtocol) {
  auto factory = New<RecordingFactory>();
  auto other = New<RecordingFactory>();
  EXPECT_TRUE(OpenReadStream("").IsNull());
  EXPECT_EQ(factory->lastProtocol, u"");
  EXPECT_EQ(factory->lastPath, u"");
  EXPECT_TRUE(OpenReadStream(other).IsNull());
  EXPECT_EQ(factory->lastUrl, other);
  EXPECT_EQ(factory->lastPath, u"");
  EXPECT_EQ(other->calls, 2);
}

TEST(OpenUrlStream, PlainPathsNeverReachTheFactories) {
  auto factory = New<RecordingFactory>();
  testing::TempDir dir;
  std::ofstream(dir / "plain.txt") << "xyz";
  EXPECT_TRUE(OpenReadStream(dir / "plain.txt"));
  EXPECT_TRUE(OpenReadStream("http://example.invalid/x").IsNull());
  EXPECT_EQ(factory->calls, 0);
}

TEST(OpenUrlStream, AStreamComesBackWrappedAndStaysOpenAfterClose) {
  auto inner = New<testing::ScriptedStream>(std::vector<unsigned char>{1, 2});
  auto wrapped = OpenReadStream(inner);
  ASSERT_TRUE(Cast<TStreamStream>(wrapped));
  EXPECT_EQ(wrapped->ReadU8(), 1);
  wrapped->Close();
  EXPECT_EQ(inner->ReadU8(), 2);
}

TEST(LoadBytes, ReadsWholeFilesOfAnySize) {
  testing::TempDir dir;
  std::ofstream(dir / "empty.bin").close();
  EXPECT_TRUE(LoadBytes(dir / "empty.bin").empty());
  std::vector<std::uint8_t> bytes(5000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  SaveBytes(bytes, dir / "data.bin");
  EXPECT_EQ(LoadBytes(dir / "data.bin"), bytes);
  EXPECT_THROW(LoadBytes(dir / "missing.bin"), TNullObjectException);
}

TEST(LoadBytes, GrowsForStreamsOfUnknownLength) {
  std::vector<unsigned char> data(4000, 3);
  class Unseekable : public testing::ScriptedStream {
   public:
    using ScriptedStream::ScriptedStream;
    int Position() override { return -1; }
    bool AtEnd() override { return ScriptedStream::Position() == Length(); }
  };
  auto stream = New<Unseekable>(data);
  EXPECT_EQ(LoadBytes(stream).size(), 4000u);
}

TEST(LoadBytes, AStreamThatStallsBeforeItsEndFails) {
  auto stream =
      New<testing::ScriptedStream>(std::vector<unsigned char>(10, 1), std::deque<int>{4, 0});
  EXPECT_THROW(LoadBytes(stream), TStreamReadException);
}

TEST(LoadBytes, ADirectoryIsNoStream) {
  testing::TempDir dir;
  const std::string path = dir.path().string();
  EXPECT_TRUE(OpenReadStream(path).IsNull());
  EXPECT_TRUE(OpenUrlStream(path, true, true).IsNull());
  EXPECT_THROW(LoadBytes(path), TNullObjectException);
  EXPECT_TRUE(LoadBank(path).IsNull());
}

// Opens "pastend::name" as a file stream positioned beyond its last byte and keeps it.
class PastEndFactory : public TStreamFactory {
 public:
  Ref<TStream> CreateStream(const Ref<Object>&, const String& protocol, const String& path,
                            bool readable, bool writeable) override {
    if (protocol != u"pastend") return nullptr;
    opened = TCStream::OpenFile(path, readable, writeable);
    if (opened) opened->SeekTo(opened->Length() + 100);
    return opened;
  }
  Ref<TCStream> opened;
};

TEST(LoadBytes, AStreamPositionedPastItsEndFailsAndIsClosed) {
  testing::TempDir dir;
  std::ofstream(dir / "ten.bin") << "0123456789";
  auto factory = New<PastEndFactory>();
  EXPECT_THROW(LoadBytes("pastend::" + dir / "ten.bin"), TStreamReadException);
  ASSERT_TRUE(factory->opened);
  EXPECT_EQ(factory->opened->FileHandle(), nullptr);
}

TEST(ByteText, RoundTripsEightBitText) {
  testing::TempDir dir;
  SaveByteText(u"caf\u00e9\n", dir / "t.txt");
  EXPECT_EQ(LoadByteText(dir / "t.txt"), u"caf\u00e9\n");
}

TEST(LoadObject, IsNullForUrlsThatDoNotOpen) {
  EXPECT_TRUE(LoadObject("/nonexistent/corvax/x").IsNull());
  SaveObject(nullptr, "/nonexistent/corvax/x");
  auto plain = New<testing::ScriptedStream>(std::vector<unsigned char>{});
  EXPECT_THROW(LoadObject(plain), TThrownString);
}

TEST(Copy, CopyAllAndCopyCountMoveExactlyTheBytes) {
  std::vector<unsigned char> data(10000);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<unsigned char>(i);
  auto to = New<testing::ScriptedStream>(std::vector<unsigned char>{});
  CopyAll(New<testing::ScriptedStream>(data), to, 333);
  EXPECT_EQ(to->written, data);

  auto counted = New<testing::ScriptedStream>(std::vector<unsigned char>{});
  auto from = New<testing::ScriptedStream>(data);
  CopyCount(from, counted, 5000, 1024);
  EXPECT_EQ(counted->written, std::vector<unsigned char>(data.begin(), data.begin() + 5000));
  EXPECT_EQ(from->Position(), 5000);
}

TEST(Copy, CopyCountPastTheSourceEndFailsWithoutStaleBytes) {
  auto to = New<testing::ScriptedStream>(std::vector<unsigned char>{});
  auto from = New<testing::ScriptedStream>(std::vector<unsigned char>{1, 2, 3});
  EXPECT_THROW(CopyCount(from, to, 10, 4), TStreamReadException);
  EXPECT_EQ(to->written, std::vector<unsigned char>({1, 2, 3}));
}

TEST(ResolveFileNameCase, FindsTheStoredSpelling) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows file names ignore case: the spelling given already names the file";
#endif
  testing::TempDir dir;
  std::filesystem::create_directories(dir.path() / "Data" / "Sub");
  std::ofstream(dir / "Data/Sub/Image.PNG") << "x";
  const String root = FromUtf8(dir.path().string());
  EXPECT_EQ(ResolveFileNameCase(root + u"/data/sub/image.png"), root + u"/Data/Sub/Image.PNG");
  EXPECT_EQ(ResolveFileNameCase(root + u"/Data/Sub/Image.PNG"), root + u"/Data/Sub/Image.PNG");
  EXPECT_EQ(ResolveFileNameCase(root + u"/data/nothing/image.png"), u"");
  EXPECT_EQ(ResolveFileNameCase(root + u"/data/sub/other.png"), u"");
  EXPECT_EQ(ResolveFileNameCase(root + u"/data/sub/<image>.png"), u"");
}

TEST(ResolveFileNameCase, RelativeNamesSearchTheWorkingDirectory) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows file names ignore case: the spelling given already names the file";
#endif
  testing::TempDir dir;
  std::ofstream(dir / "ReadMe.txt") << "x";
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  EXPECT_EQ(ResolveFileNameCase(u"README.TXT"), u"ReadMe.txt");
  std::filesystem::current_path(previous);
}

}  // namespace
}  // namespace corvax
