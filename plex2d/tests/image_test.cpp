// Images without a display: loading, masking, strips, handles, pixmap locks and serialising.
#include <gtest/gtest.h>

#include <corvax/pixmap/pixmap_loader.h>
#include <corvax/plex2d/plex2d_module.h>
#include <corvax/stream/bank.h>
#include <corvax/stream/bank_stream.h>
#include <corvax/stream/data_stream.h>
#include <corvax/stream/stream_exceptions.h>

namespace corvax {
namespace {

class Images : public ::testing::Test {
 protected:
  void SetUp() override {
    StartupRendererModule();
    SetMaskRGB(0, 0, 0);
    SetAutoMidHandle(0);
    SetDefaultImageFlags(IMAGE_MASK | IMAGE_FILTERED);
  }
};

// An RGB picture whose pixel (x, y) has red x, green y and blue `tag`.
Ref<TPixmap> Gradient(int w, int h, int tag) {
  Ref<TPixmap> p = PixmapCreate(w, h, FORMAT_RGB888);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p->SetPixel(x, y, 0xFF000000u | (x << 16) | (y << 8) | tag);
  return p;
}

TEST_F(Images, ThePointerPictureLosesItsRedBackground) {
  SetMaskRGB(255, 0, 0);
  const Ref<TImage> image = LoadImageFromUrl(CORVAX_CURSOR_PNG, IMAGE_MASK);
  ASSERT_TRUE(image);
  EXPECT_EQ(ImageWidthOf(image), 12);
  EXPECT_EQ(ImageHeightOf(image), 21);
  EXPECT_EQ(image->FrameCount(), 1);
  EXPECT_EQ(image->HandleX(), 0);
  const Ref<TPixmap> original = PixmapLoad(CORVAX_CURSOR_PNG);
  const Ref<TPixmap> masked = image->FramePixmap(0);
  int transparent = 0;
  for (int y = 0; y < 21; ++y) {
    for (int x = 0; x < 12; ++x) {
      const bool red = (original->GetPixel(x, y) & 0xFFFFFF) == 0xFF0000;
      EXPECT_EQ(masked->GetPixel(x, y) >> 24, red ? 0u : 255u) << x << "," << y;
      transparent += red;
    }
  }
  EXPECT_GT(transparent, 0);
  EXPECT_LT(transparent, 12 * 21);
}

TEST_F(Images, OnlyPicturesWithoutAlphaAreMasked) {
  Ref<TPixmap> rgba = PixmapCreate(2, 1, FORMAT_RGBA8888);
  rgba->SetPixel(0, 0, 0xFF000000u);  // opaque black, the mask colour
  EXPECT_EQ(LoadImageFromUrl(rgba, IMAGE_MASK)->FramePixmap(0)->GetPixel(0, 0), 0xFF000000u);
  Ref<TPixmap> rgb = PixmapCreate(2, 1, FORMAT_RGB888);
  EXPECT_EQ(LoadImageFromUrl(rgb, IMAGE_MASK)->FramePixmap(0)->GetPixel(0, 0) >> 24, 0u);
  // Without the mask flag the picture is kept as it is.
  EXPECT_EQ(LoadImageFromUrl(rgb, 0)->FramePixmap(0), rgb);
}

TEST_F(Images, SettingsApplyToImagesMadeAfterwards) {
  EXPECT_EQ(LoadImageFromUrl(Gradient(4, 4, 0))->Flags(), IMAGE_MASK | IMAGE_FILTERED);
  SetDefaultImageFlags(-1);  // ignored
  EXPECT_EQ(DefaultImageFlags(), IMAGE_MASK | IMAGE_FILTERED);
  SetDefaultImageFlags(IMAGE_MIPMAPPED);
  EXPECT_EQ(CreateBlankImage(2, 2)->Flags(), IMAGE_MIPMAPPED | IMAGE_DYNAMIC);
  SetMaskRGB(1, 2, 3);
  SetAutoMidHandle(1);
  const Ref<TImage> image = CreateBlankImage(5, 8, 3, 0);
  EXPECT_EQ(image->MaskBlue(), 3);
  EXPECT_EQ(image->HandleX(), 2.5f);
  EXPECT_EQ(image->HandleY(), 4.0f);
  EXPECT_EQ(image->FrameCount(), 3);
  EXPECT_THROW(CreateBlankImage(-1, 2), TRuntimeException);
  EXPECT_FALSE(LoadImageFromUrl("no-such-file.png"));
}

TEST_F(Images, MaskColourAndHandleTakeValues) {
  SetMaskRGB(Color{1, 2, 3});
  EXPECT_EQ(MaskColor(), (Color{1, 2, 3}));
  int r = 0, g = 0, b = 0;
  GetMaskRGB(r, g, b);
  EXPECT_EQ((Color{r, g, b}), (Color{1, 2, 3}));
  const Ref<TImage> image = CreateBlankImage(5, 8, 1, 0);
  EXPECT_EQ(image->MaskGreen(), 2);
  SetImageHandlePoint(image, Point{1.5f, 2});
  EXPECT_EQ(image->HandleX(), 1.5f);
  EXPECT_EQ(image->HandleY(), 2.0f);
  SetMaskRGB(0, 0, 0);
}

TEST_F(Images, StripCellsBecomeFramesLeftToRightThenDown) {
  const Ref<TPixmap> strip = Gradient(64, 32, 7);
  const Ref<TImage> image = LoadImageStrip(strip, 16, 16, 2, 6, 0);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->FrameCount(), 6);
  EXPECT_EQ(image->Width(), 16);
  for (int frame = 0; frame < 6; ++frame) {
    const int cell = frame + 2;
    const ARGB corner = image->FramePixmap(frame)->GetPixel(0, 0);
    EXPECT_EQ((corner >> 16) & 0xFF, static_cast<unsigned>(16 * (cell % 4)));
    EXPECT_EQ((corner >> 8) & 0xFF, static_cast<unsigned>(16 * (cell / 4)));
  }
  // The frames are copies, not windows on the strip.
  EXPECT_NE(image->FramePixmap(0)->Capacity(), -1);
  EXPECT_FALSE(LoadImageStrip(strip, 16, 16, 2, 7, 0));
  EXPECT_FALSE(LoadImageStrip(strip, 0, 16, 0, 1, 0));
  EXPECT_FALSE(LoadImageStrip(strip, 16, 16, -1, 2, 0));
  EXPECT_FALSE(LoadImageStrip(strip, 16, 16, 0, 0, 0));
  EXPECT_FALSE(LoadImageStrip(strip, 65, 16, 0, 1, 0));
}

TEST_F(Images, LockingMakesABlankPixmapOnce) {
  const Ref<TImage> image = CreateBlankImage(3, 2, 2, 0);
  EXPECT_FALSE(image->FramePixmap(1));
  const Ref<TPixmap> pixmap = LockImageFrame(image, 1, 1, 1);
  EXPECT_EQ(pixmap->Format(), FORMAT_RGBA8888);
  EXPECT_EQ(pixmap->Width(), 3);
  EXPECT_EQ(pixmap->GetPixel(2, 1), 0u);
  EXPECT_EQ(LockImageFrame(image, 1), pixmap);
  UnlockImageFrame(image, 1);
  EXPECT_THROW(LockImageFrame(image, 2), TArrayBoundsException);
  // No 2D driver is current: no frame, and no failure.
  EXPECT_FALSE(image->FrameFor(0));
}

Ref<TBankStream> WrittenImage(const Ref<Object>& object) {
  Ref<TBankStream> bank = CreateBankStream();
  Ref<TDataStream> data = TDataStream::CreateDataStream(bank);
  data->WriteObject(object);
  bank->SeekTo(0);
  return bank;
}

TEST_F(Images, ImagesTravelThroughDataStreamsWithUnsetFramesInPlace) {
  const Ref<TImage> image = TImage::CreateImageObject(4, 3, 3, IMAGE_MASK, 1, 2, 3);
  image->SetHandle(1.5f, -2);
  image->SetFramePixmap(2, Gradient(4, 3, 9));
  const Ref<TBankStream> stream = WrittenImage(image);
  const Ref<TImage> back = Cast<TImage>(TDataStream::CreateDataStream(stream)->ReadObject());
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Width(), 4);
  EXPECT_EQ(back->Height(), 3);
  EXPECT_EQ(back->Flags(), IMAGE_MASK);
  EXPECT_EQ(back->MaskGreen(), 2);
  EXPECT_EQ(back->HandleX(), 1.5f);
  EXPECT_EQ(back->HandleY(), -2);
  ASSERT_EQ(back->FrameCount(), 3);
  EXPECT_FALSE(back->FramePixmap(0));
  EXPECT_FALSE(back->FramePixmap(1));
  ASSERT_TRUE(back->FramePixmap(2));
  EXPECT_EQ(back->FramePixmap(2)->GetPixel(3, 2), image->FramePixmap(2)->GetPixel(3, 2));
}

// The frame object, then an image written by hand whose one frame refers back to it; reading
// gives the frame object first, then the image.
Ref<TBankStream> ImageStream(const std::vector<std::int32_t>& head, const Ref<Object>& frame) {
  Ref<TBankStream> bank = CreateBankStream();
  Ref<TDataStream> data = TDataStream::CreateDataStream(bank);
  data->WriteObject(frame);
  data->WriteU8(2);
  data->WriteTextLine(u"kvt.plex2d.TImage");
  for (std::size_t i = 0; i < head.size(); ++i) {
    if (i == 6 || i == 7) {
      data->WriteF32(static_cast<float>(head[i]));
    } else {
      data->WriteI32(head[i]);
    }
  }
  if (head.size() > 8 && head[8] > 0) data->WriteObject(frame);
  bank->SeekTo(0);
  return bank;
}

TEST_F(Images, LyingImageDataIsRefused) {
  const auto read = [](const Ref<TBankStream>& stream) {
    const Ref<TDataStream> data = TDataStream::CreateDataStream(stream);
    data->ReadObject();
    return data->ReadObject();
  };
  const Ref<TPixmap> fits = Gradient(4, 3, 0);
  // The hand-made stream reads back when nothing lies.
  EXPECT_TRUE(Cast<TImage>(read(ImageStream({4, 3, 0, 0, 0, 0, 0, 0, 1}, fits))));
  EXPECT_THROW(read(ImageStream({-4, 3, 0, 0, 0, 0, 0, 0, 1}, fits)), TStreamReadException);
  EXPECT_THROW(read(ImageStream({4, 3, 0, 0, 0, 0, 0, 0, -1}, fits)), TStreamReadException);
  // A frame count the stream cannot hold is refused before anything is allocated for it.
  EXPECT_THROW(read(ImageStream({4, 3, 0, 0, 0, 0, 0, 0, 0x7FFFFFFF}, fits)), TStreamReadException);
  EXPECT_THROW(read(ImageStream({4, 3, 0, 0, 0, 0, 0, 0, 1}, Gradient(5, 3, 0))),
               TStreamReadException);
  EXPECT_THROW(read(ImageStream({4, 3, 0, 0, 0, 0, 0, 0, 1}, New<TList>())), TStreamReadException);
}

}  // namespace
}  // namespace corvax
