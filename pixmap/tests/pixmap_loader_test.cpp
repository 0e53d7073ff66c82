#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>
#include <string>

#include <corvax/stream/bank.h>

#include "image_files.h"
#include "memory_streams.h"
#include "temp_dir.h"

namespace corvax::testing {
namespace {

// Loaders that answer only data starting with their own tag, so the rest of the suite never
// notices them in the chain.
class TaggedLoader : public TPixmapLoader {
 public:
  explicit TaggedLoader(char tag) : tag_(tag) {}
  Ref<TPixmap> LoadPixmapFrom(const Ref<TStream>& stream) override {
    ++asked;
    startPositions.push_back(stream->Position());
    if (stream->ReadU8() != tag_) return nullptr;
    switch (stream->ReadU8()) {
      case 'S':
        stream->SkipForward(3);
        throw TStreamReadException();
      case 'X':
        throw std::logic_error("not a stream fault");
      default:
        return PixmapCreate(1, 1, FORMAT_GREY8);
    }
  }
  int asked = 0;
  std::vector<int> startPositions;

 private:
  char tag_;
};

class PixmapLoadChain : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    StartupPixmapModule();
    // Linked in front of the registered loaders: '~' first, then '!'.
    bang_ = New<TaggedLoader>('!').get();
    tilde_ = New<TaggedLoader>('~').get();
  }
  void SetUp() override {
    for (TaggedLoader* l : {bang_, tilde_}) l->asked = 0, l->startPositions.clear();
  }
  static TaggedLoader* bang_;
  static TaggedLoader* tilde_;
};
TaggedLoader* PixmapLoadChain::bang_ = nullptr;
TaggedLoader* PixmapLoadChain::tilde_ = nullptr;

TEST_F(PixmapLoadChain, StartUpRegistersBmpJpegPngTgaSoTgaIsAskedFirst) {
  std::vector<std::string> order;
  for (Ref<TPixmapLoader> l = TPixmapLoader::FirstLoader(); l; l = l->NextLoader()) {
    if (Cast<TPixmapLoaderTGA>(l)) order.push_back("TGA");
    if (Cast<TPixmapLoaderPNG>(l)) order.push_back("PNG");
    if (Cast<TPixmapLoaderJPG>(l)) order.push_back("JPG");
    if (Cast<TPixmapLoaderBMP>(l)) order.push_back("BMP");
  }
  EXPECT_EQ(order, (std::vector<std::string>{"TGA", "PNG", "JPG", "BMP"}));
}

TEST_F(PixmapLoadChain, AStreamFaultIsARefusalAndTheNextLoaderStartsAfresh) {
  // Two bytes of prefix, then data that makes '~' fail mid-read and no one else accept.
  auto stream = New<ProbeStream>(std::vector<unsigned char>{'a', 'b', '!', 'S', 0, 0, 0, 0});
  stream->SeekTo(2);
  EXPECT_TRUE(PixmapLoad(stream).IsNull());
  EXPECT_EQ(tilde_->startPositions, (std::vector<int>{2}));
  // '!' threw its stream exception after moving on; the registered loaders still started at 2.
  EXPECT_EQ(bang_->startPositions, (std::vector<int>{2}));

  auto accepted = New<ProbeStream>(std::vector<unsigned char>{'!', 'S', 0, 0, 0, 0, '~', 'k'});
  EXPECT_TRUE(PixmapLoad(accepted).IsNull());  // '~' refuses: tag mismatch; '!' faults
  auto ok = New<ProbeStream>(std::vector<unsigned char>{'!', 'k'});
  Ref<TPixmap> p = PixmapLoad(ok);
  ASSERT_TRUE(p);
  EXPECT_EQ(tilde_->asked, 3);
  EXPECT_EQ(bang_->asked, 3);
}

TEST_F(PixmapLoadChain, AStreamObjectStaysOpenAndOtherFaultsPassOut) {
  auto stream = New<ProbeStream>(std::vector<unsigned char>{'!', 'k'});
  ASSERT_TRUE(PixmapLoad(stream));
  EXPECT_EQ(stream->closes, 0);
  EXPECT_EQ(stream->ReferenceCount(), 1);

  auto faulty = New<ProbeStream>(std::vector<unsigned char>{'~', 'X'});
  EXPECT_THROW(PixmapLoad(faulty), std::logic_error);
  EXPECT_EQ(faulty->ReferenceCount(), 1);  // the wrapper opened over it is gone
}

TEST_F(PixmapLoadChain, UnseekableStreamsAreRefusedWithoutAskingAnyLoader) {
  auto stream = New<ProbeStream>(std::vector<unsigned char>{'!', 'k'}, false);
  EXPECT_TRUE(PixmapLoad(stream).IsNull());
  EXPECT_EQ(tilde_->asked + bang_->asked, 0);
}

TEST_F(PixmapLoadChain, UrlsThatCannotBeOpenedGiveNull) {
  EXPECT_TRUE(PixmapLoad("/nonexistent-dir/picture.png").IsNull());
  EXPECT_TRUE(PixmapLoad("noprotocol::picture.png").IsNull());
  EXPECT_TRUE(PixmapLoad(nullptr).IsNull());
}

TEST_F(PixmapLoadChain, FilesLoadByPathAndAreClosedAfterwards) {
  TempDir dir;
  Ref<TPixmap> p = PixmapCreate(3, 2, FORMAT_RGB888);
  p->SetPixel(2, 1, 0xFF123456);
  const std::string path = dir / "picture.png";
  ASSERT_EQ(PixmapSavePNG(p, path, 6), 1);
  Ref<TPixmap> back = PixmapLoad(path);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->GetPixel(2, 1), 0xFF123456u);
  // Nothing holds the file open: it can be replaced and loaded again.
  std::ofstream(path, std::ios::trunc) << "not a picture";
  EXPECT_TRUE(PixmapLoad(path).IsNull());
}

}  // namespace
}  // namespace corvax::testing
