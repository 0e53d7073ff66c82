#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include <corvax/stream/bank.h>

#include "image_files.h"
#include "memory_streams.h"

namespace corvax::testing {
namespace {

class JpegLoader : public ::testing::Test {
 protected:
  Ref<TPixmapLoaderJPG> loader_ = RegisteredLoader<TPixmapLoaderJPG>();
};

// A smooth picture that survives compression closely.
Bytes Smooth(int width, int height, int components) {
  Bytes out;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < components; ++c)
        out.push_back(static_cast<std::uint8_t>(40 + 4 * x + 3 * y + 50 * c));
    }
  }
  return out;
}

void ExpectClose(const Ref<TPixmap>& p, const Bytes& expected, int components, int tolerance) {
  for (int y = 0; y < p->Height(); ++y) {
    const std::uint8_t* row = p->PixelAddress(0, y);
    for (int i = 0; i < p->Width() * components; ++i) {
      ASSERT_NEAR(row[i], expected[(y * p->Width()) * components + i], tolerance) << y << "," << i;
    }
  }
}

TEST_F(JpegLoader, GreyscaleLoadsAsGrey) {
  const Bytes grey = Smooth(13, 9, 1);
  Ref<TPixmap> p = LoadImage(MakeJpeg(13, 9, 1, grey));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Format(), FORMAT_GREY8);
  EXPECT_EQ(p->Width(), 13);
  EXPECT_EQ(p->Height(), 9);
  EXPECT_EQ(p->Pitch(), 16);
  ExpectClose(p, grey, 1, 4);
}

TEST_F(JpegLoader, ColourLoadsAsRgb) {
  const Bytes rgb = Smooth(17, 11, 3);
  Ref<TPixmap> p = LoadImage(MakeJpeg(17, 11, 3, rgb));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Format(), FORMAT_RGB888);
  ExpectClose(p, rgb, 3, 8);
}

TEST_F(JpegLoader, RowPaddingIsZeroEvenInReusedMemory) {
  const Bytes file = MakeJpeg(13, 9, 1, Smooth(13, 9, 1));
  // Memory of the pixmap's size, dirtied and freed, so that the allocator is likely to hand
  // one of these blocks out again.
  constexpr std::size_t kPixmapBytes = 16 * 9;
  std::vector<void*> blocks;
  for (int i = 0; i < 64; ++i)
    blocks.push_back(std::memset(std::malloc(kPixmapBytes), 0xAB, kPixmapBytes));
  for (void* block : blocks) std::free(block);
  Ref<TPixmap> p = LoadImage(file);
  ASSERT_TRUE(p);
  for (int y = 0; y < p->Height(); ++y) {
    for (int x = p->Width(); x < p->Pitch(); ++x) EXPECT_EQ(p->PixelAddress(0, y)[x], 0) << y;
  }
}

TEST_F(JpegLoader, FourComponentFilesAreRefused) {
  EXPECT_TRUE(LoadWith(loader_, MakeJpeg(8, 8, 4, Smooth(8, 8, 4))).IsNull());
}

TEST_F(JpegLoader, SaveWritesWhatLibjpegProducesByteForByte) {
  const Bytes rgb = Smooth(21, 7, 3);
  Ref<TPixmap> p = PixmapCreate(21, 7, FORMAT_BGRA8888);
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 21; ++x) {
      const std::uint8_t* s = &rgb[(y * 21 + x) * 3];
      p->SetPixel(x, y, 0x80000000u | s[0] << 16 | s[1] << 8 | s[2]);
    }
  }
  Ref<TBank> file = TBank::CreateBank(0);
  ASSERT_EQ(PixmapSaveJPEG(p, file, 75), 1);
  const Bytes expected = MakeJpeg(21, 7, 3, rgb, 75);
  ASSERT_EQ(file->Size(), static_cast<int>(expected.size()));
  EXPECT_EQ(Bytes(file->Buffer(), file->Buffer() + file->Size()), expected);

  Ref<TPixmap> back = PixmapLoad(file);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Format(), FORMAT_RGB888);
  ExpectClose(back, rgb, 3, 10);
}

TEST_F(JpegLoader, LargeImagesPassEveryBufferfulToTheStream) {
  // Noise compresses badly: many buffers' worth, and the last partial one must arrive too.
  Ref<TPixmap> p = PixmapCreate(400, 400, FORMAT_RGB888);
  std::srand(7);
  for (int i = 0; i < p->Capacity(); ++i) p->Pixels()[i] = static_cast<std::uint8_t>(std::rand());
  Ref<TBank> file = TBank::CreateBank(0);
  ASSERT_EQ(PixmapSaveJPEG(p, file, 100), 1);
  EXPECT_GT(file->Size(), 3 * 65536);
  EXPECT_EQ(file->PeekU8(file->Size() - 2), 0xFF);  // the end-of-image marker
  EXPECT_EQ(file->PeekU8(file->Size() - 1), 0xD9);
  EXPECT_TRUE(PixmapLoad(file));
}

TEST_F(JpegLoader, SaveReportsWhatCouldNotBeWritten) {
  Ref<TPixmap> p = PixmapCreate(64, 64, FORMAT_GREY8);
  EXPECT_EQ(PixmapSaveJPEG(p, "/nonexistent-dir/x.jpg", 90), 0);
  EXPECT_EQ(PixmapSaveJPEG(PixmapCreate(0, 5, FORMAT_RGB888), TBank::CreateBank(0), 90), 0);
  auto full = New<LimitedStream>(100);
  EXPECT_THROW(PixmapSaveJPEG(p, full, 90), TStreamWriteException);
  EXPECT_EQ(full->ReferenceCount(), 1);
  // Qualities outside 1-100 are taken as the nearest.
  for (int quality : {-20, 0, 101}) EXPECT_EQ(PixmapSaveJPEG(p, TBank::CreateBank(0), quality), 1);
}

TEST_F(JpegLoader, TruncatedFilesAreRefused) {
  const Bytes file = MakeJpeg(16, 16, 3, Smooth(16, 16, 3));
  ASSERT_TRUE(LoadImage(file));
  ExpectEveryTruncationRefused(file);
}

TEST_F(JpegLoader, CorruptFilesGiveNullOrAWholeImage) {
  const Bytes file = MakeJpeg(16, 16, 3, Smooth(16, 16, 3));
  for (std::size_t at = 0; at < file.size(); ++at) {
    Bytes bad = file;
    bad[at] ^= 0xA5;
    Ref<TPixmap> p = LoadWith(loader_, bad);
    // Damage inside the entropy-coded data, or to a size field, still decodes to some whole
    // picture, all of whose memory can be read (the sanitizer builds check the bounds).
    if (p) {
      long sum = 0;
      for (int i = 0; i < p->Capacity(); ++i) sum += p->Pixels()[i];
      EXPECT_GE(sum, 0) << at;
    }
  }
  EXPECT_TRUE(LoadWith(loader_, {0xFF, 0xD8}).IsNull());
  EXPECT_TRUE(LoadWith(loader_, {'G', 'I', 'F', '8', '9', 'a'}).IsNull());
  EXPECT_TRUE(LoadWith(loader_, {}).IsNull());
}

}  // namespace
}  // namespace corvax::testing
