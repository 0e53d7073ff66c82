#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
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

// A small file's bytes stay buffered until it closes, where the full disk shows.
TEST_F(JpegLoader, SavingToAFullDiskFails) {
  EXPECT_FALSE(PixmapSaveJPEG(PixmapCreate(4, 4, FORMAT_GREY8), "/dev/full", 90));
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

// The file with its frame header (SOFn) claiming another size than the one coded.
Bytes ClaimingSize(Bytes file, int width, int height) {
  // After the start marker, each segment is FF, its marker and a big-endian length that counts
  // itself; a frame header then holds the sample precision, the height and the width.
  constexpr int kDefineHuffmanTables = 0xC4;
  constexpr int kDefineArithmeticConditioning = 0xCC;
  constexpr int kReserved = 0xC8;
  for (std::size_t at = 2; at + 9 <= file.size(); at += 2 + (file[at + 2] << 8 | file[at + 3])) {
    const int marker = file[at + 1];
    if (marker < 0xC0 || marker > 0xCF || marker == kDefineHuffmanTables || marker == kReserved ||
        marker == kDefineArithmeticConditioning) {
      continue;
    }
    file[at + 5] = static_cast<std::uint8_t>(height >> 8);
    file[at + 6] = static_cast<std::uint8_t>(height);
    file[at + 7] = static_cast<std::uint8_t>(width >> 8);
    file[at + 8] = static_cast<std::uint8_t>(width);
    return file;
  }
  ADD_FAILURE() << "no frame header";
  return file;
}

// 8400 x 8400 is 70,560,000 pixels: 1050 x 1050 blocks, so 137,813 bytes at the least.
constexpr int kClaimedSide = 8400;

TEST_F(JpegLoader, AHeaderClaimingMoreThanTheDataCanHoldIsRefusedBeforeDecoding) {
  const Bytes grey =
      ClaimingSize(MakeJpeg(16, 16, 1, Smooth(16, 16, 1)), kClaimedSide, kClaimedSide);
  const Bytes colour =
      ClaimingSize(MakeJpeg(16, 16, 3, Smooth(16, 16, 3), 95, {.progressive = true}), kClaimedSide,
                   kClaimedSide);
  // Past the pixel count up to which arithmetic coding is trusted.
  const Bytes arithmetic = ClaimingSize(
      MakeJpeg(16, 16, 1, Smooth(16, 16, 1), 95, {.arithmetic = true}), kClaimedSide, kClaimedSide);
  for (const Bytes* file : {&grey, &colour, &arithmetic}) {
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(LoadWith(loader_, *file).IsNull());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "jpeg: refusing a 8400 x 8400 picture from " + std::to_string(file->size()) +
                  " bytes: its coded data alone takes 137813 bytes or more\n");
  }
  // A claim the data could hold is decoded as before: the missing rows end the data early.
  ::testing::internal::CaptureStderr();
  EXPECT_TRUE(LoadWith(loader_, ClaimingSize(MakeJpeg(16, 16, 1, Smooth(16, 16, 1)), 64, 64)));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

// A plain picture is as small as a real file gets: each block costs the fewest bits the coding
// can spend. All of them must load.
TEST_F(JpegLoader, TheMostCompressedRealFilesStillLoad) {
  constexpr int kSide = 1024;
  constexpr std::size_t kHuffmanLeast = kSide / 8 * (kSide / 8) / 8;  // a bit a block
  const JpegCoding codings[] = {{},
                                {.optimizedTables = true},
                                {.progressive = true, .optimizedTables = true},
                                {.arithmetic = true},
                                {.progressive = true, .arithmetic = true}};
  for (const int components : {1, 3}) {
    const Bytes black(static_cast<std::size_t>(kSide) * kSide * components, 0);
    for (const JpegCoding& coding : codings) {
      const Bytes file = MakeJpeg(kSide, kSide, components, black, 10, coding);
      SCOPED_TRACE(::testing::Message()
                   << components << " components, progressive " << coding.progressive
                   << ", arithmetic " << coding.arithmetic << ", " << file.size() << " bytes");
      // Sequential arithmetic coding goes below the Huffman floor, which is why arithmetic
      // coding is not held to it.
      if (coding.arithmetic && !coding.progressive) {
        EXPECT_LT(file.size(), kHuffmanLeast);
      }
      const Ref<TPixmap> p = LoadWith(loader_, file);
      ASSERT_TRUE(p);
      EXPECT_EQ(p->Width(), kSide);
      EXPECT_EQ(p->Height(), kSide);
      EXPECT_EQ(p->PixelAddress(kSide / 2, kSide / 2)[0], 0);
    }
  }
}

}  // namespace
}  // namespace corvax::testing
