#include <corvax/pixmap/pixmap.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include <corvax/runtime/exceptions.h>

namespace corvax {
namespace {

TEST(PixmapAllocate, PitchIsRoundedUpToTheAlignment) {
  EXPECT_EQ(PixmapCreate(3, 2, FORMAT_RGB888, 4)->Pitch(), 12);
  EXPECT_EQ(PixmapCreate(5, 1, FORMAT_GREY8, 4)->Pitch(), 8);
  EXPECT_EQ(PixmapCreate(4, 1, FORMAT_RGBA8888, 4)->Pitch(), 16);
  EXPECT_EQ(PixmapCreate(5, 1, FORMAT_RGB888, 1)->Pitch(), 15);
  EXPECT_EQ(PixmapCreate(5, 1, FORMAT_RGB888, 0)->Pitch(), 15);  // no alignment
  Ref<TPixmap> p = PixmapCreate(3, 2, FORMAT_RGB888, 4);
  EXPECT_EQ(p->Capacity(), 24);
  EXPECT_EQ(p->Width(), 3);
  EXPECT_EQ(p->Height(), 2);
  EXPECT_EQ(p->Format(), FORMAT_RGB888);
  EXPECT_TRUE(p->Parent().IsNull());
}

TEST(PixmapAllocate, MemoryStartsZeroed) {
  Ref<TPixmap> p = PixmapCreate(17, 9, FORMAT_RGBA8888);
  for (int i = 0; i < p->Capacity(); ++i) ASSERT_EQ(p->Pixels()[i], 0);
}

TEST(PixmapAllocate, RefusesImpossibleSizesAndFormats) {
  EXPECT_THROW(PixmapCreate(-1, 1, FORMAT_GREY8), TRuntimeException);
  EXPECT_THROW(PixmapCreate(1, -1, FORMAT_GREY8), TRuntimeException);
  EXPECT_THROW(PixmapCreate(65536, 32768, FORMAT_RGBA8888), TRuntimeException);
  EXPECT_THROW(PixmapCreate(1, 1, 0), TRuntimeException);
  EXPECT_THROW(PixmapCreate(1, 1, 13), TRuntimeException);
  std::uint8_t byte = 0;
  EXPECT_THROW(PixmapCreateStatic(&byte, 1, 1, 1, 42), TRuntimeException);
  EXPECT_EQ(PixmapCreate(0, 0, FORMAT_GREY8)->Capacity(), 0);

  EXPECT_TRUE(TPixmap::IsAcceptableSize(1, 1, FORMAT_RGBA8888));
  EXPECT_FALSE(TPixmap::IsAcceptableSize(0, 1, FORMAT_RGBA8888));
  EXPECT_FALSE(TPixmap::IsAcceptableSize(1, -5, FORMAT_RGBA8888));
  EXPECT_TRUE(TPixmap::IsAcceptableSize(16384, 32767, FORMAT_RGBA8888));
  EXPECT_FALSE(TPixmap::IsAcceptableSize(16384, 32768, FORMAT_RGBA8888));
  EXPECT_FALSE(TPixmap::IsAcceptableSize(std::int64_t{1} << 40, 1, FORMAT_GREY8));
}

TEST(PixmapPixels, SetAndGetFollowTheFormatTables) {
  const ARGB colour = 0x80102030;  // alpha 128, red 16, green 32, blue 48
  struct Case {
    int format;
    std::vector<std::uint8_t> bytes;
    ARGB readBack;
  };
  const Case cases[] = {
      {FORMAT_GREY8, {32}, 0xFF202020},
      {FORMAT_ALPHA8, {128}, 0x80FFFFFF},
      {FORMAT_BGR888, {48, 32, 16}, 0xFF102030},
      {FORMAT_RGB888, {16, 32, 48}, 0xFF102030},
      {FORMAT_BGRA8888, {48, 32, 16, 128}, colour},
      {FORMAT_RGBA8888, {16, 32, 48, 128}, colour},
  };
  for (const Case& c : cases) {
    Ref<TPixmap> p = PixmapCreate(2, 2, c.format);
    PixmapWritePixel(p, 1, 1, colour);
    const std::uint8_t* at = PixmapGetPixelPtr(p, 1, 1);
    EXPECT_EQ(std::vector<std::uint8_t>(at, at + c.bytes.size()), c.bytes) << c.format;
    EXPECT_EQ(PixmapReadPixel(p, 1, 1), c.readBack) << c.format;
    EXPECT_EQ(PixmapReadPixel(p, 0, 1),
              c.format == FORMAT_GREY8 || c.format == FORMAT_BGR888 || c.format == FORMAT_RGB888
                  ? 0xFF000000u
              : c.format == FORMAT_ALPHA8 ? 0x00FFFFFFu
                                          : 0u);
  }
  std::uint8_t alpha64 = 64;
  EXPECT_EQ(PixmapReadPixel(PixmapCreateStatic(&alpha64, 1, 1, 1, FORMAT_ALPHA8), 0, 0),
            0x40FFFFFFu);
}

TEST(PixmapPixels, RowConversionFormatsAreNeitherReadNorWritten) {
  std::uint8_t byte = 99;
  Ref<TPixmap> p = PixmapCreateStatic(&byte, 1, 1, 1, FORMAT_RED8);
  EXPECT_EQ(p->GetPixel(0, 0), 0u);
  p->SetPixel(0, 0, 0xFFFFFFFF);
  EXPECT_EQ(byte, 99);
}

TEST(PixmapMemory, StaticPixmapsUseTheCallersMemory) {
  std::vector<std::uint8_t> memory(32, 0);
  {
    Ref<TPixmap> p = PixmapCreateStatic(memory.data(), 2, 2, 16, FORMAT_RGBA8888);
    EXPECT_EQ(p->Capacity(), -1);
    EXPECT_EQ(PixmapGetPitch(p), 16);
    p->SetPixel(1, 1, 0x01020304);
  }
  EXPECT_EQ(memory[16 + 4], 2);
  EXPECT_EQ(memory[16 + 7], 1);
}

TEST(PixmapWindows, WindowsOfWindowsKeepAncestorsAliveAndShareMemory) {
  Ref<TPixmap> window;
  TPixmap* first = nullptr;
  {
    Ref<TPixmap> base = PixmapCreate(10, 10, FORMAT_RGB888);
    first = base.get();
    Ref<TPixmap> middle = PixmapGetWindow(base, 2, 3, 6, 6);
    window = PixmapGetWindow(middle, 1, 1, 2, 2);
    EXPECT_EQ(middle->Parent(), base);
    EXPECT_EQ(window->Parent(), middle);
    EXPECT_EQ(window->Capacity(), -1);
    EXPECT_EQ(window->Pitch(), base->Pitch());
  }
  // Only the window refers to the chain now.
  EXPECT_EQ(first->ReferenceCount(), 1);
  window->SetPixel(0, 0, 0xFFABCDEF);
  EXPECT_EQ(first->GetPixel(3, 4), 0xFFABCDEFu);
  EXPECT_EQ(window->PixelAddress(1, 1), first->PixelAddress(4, 5));
}

Ref<TPixmap> Gradient(int w, int h, int format) {
  Ref<TPixmap> p = PixmapCreate(w, h, format);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) p->SetPixel(x, y, 0x80000000u | (x * 20) << 16 | (y * 30) << 8 | 7);
  }
  return p;
}

TEST(PixmapCopies, CloneCopiesContentsIntoANewPitch) {
  std::vector<std::uint8_t> memory(3 * 40, 0);
  Ref<TPixmap> wide = PixmapCreateStatic(memory.data(), 5, 3, 40, FORMAT_RGB888);
  wide->PasteFrom(Gradient(5, 3, FORMAT_RGB888), 0, 0);
  Ref<TPixmap> copy = PixmapCopy(wide);
  EXPECT_EQ(copy->Pitch(), 16);
  EXPECT_EQ(copy->Capacity(), 48);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(copy->GetPixel(x, y), wide->GetPixel(x, y));
  }
  copy->SetPixel(0, 0, 0);
  EXPECT_NE(wide->GetPixel(0, 0), copy->GetPixel(0, 0));
}

TEST(PixmapCopies, ConvertBGRAToBGRAndBackKeepsColourWithOpaqueAlpha) {
  Ref<TPixmap> bgra = Gradient(4, 3, FORMAT_BGRA8888);
  Ref<TPixmap> back = PixmapConvert(PixmapConvert(bgra, FORMAT_BGR888), FORMAT_BGRA8888);
  ASSERT_EQ(back->Format(), FORMAT_BGRA8888);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(back->GetPixel(x, y), bgra->GetPixel(x, y) | 0xFF000000u);
    }
  }
}

TEST(PixmapCopies, PasteConvertsIntoPlace) {
  Ref<TPixmap> target = PixmapCreate(4, 4, FORMAT_RGBA8888);
  Ref<TPixmap> grey = PixmapCreate(2, 2, FORMAT_GREY8);
  grey->SetPixel(1, 0, 0xFF505050);
  target->PasteFrom(grey, 2, 1);
  EXPECT_EQ(target->GetPixel(3, 1), 0xFF505050u);
  EXPECT_EQ(target->GetPixel(2, 2), 0xFF000000u);
  EXPECT_EQ(target->GetPixel(1, 1), 0u);
  EXPECT_EQ(target->GetPixel(3, 3), 0u);
}

}  // namespace
}  // namespace corvax
