// Collision layers and pixel tests without a display (no origin, the matrix set directly).
#include <gtest/gtest.h>

#include <corvax/pixmap/pixmap_transforms.h>
#include <corvax/plex2d/plex2d_module.h>

namespace corvax {
namespace {

class Collisions : public ::testing::Test {
 protected:
  void SetUp() override {
    StartupRendererModule();
    ResetCollisionLayers(0);
    SetCollisionTransform(1, 0, 0, 1);
  }
  void TearDown() override {
    ResetCollisionLayers(0);
    SetCollisionTransform(1, 0, 0, 1);
  }
};

// A w x h RGBA image whose columns below `opaqueColumns` are opaque and the rest transparent
// but coloured, as masked pictures are.
Ref<TImage> HalfImage(int w, int h, int opaqueColumns) {
  Ref<TPixmap> p = PixmapCreate(w, h, FORMAT_RGBA8888);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p->SetPixel(x, y, x < opaqueColumns ? 0xFF102030u : 0x00FFFFFFu);
  return TImage::LoadImageObject(p, 0, 0, 0, 0);
}

int RectsCollide(float x1, float y1, float x2, float y2) {
  ResetCollisionLayers(1);
  CollideRectLayers(x1, y1, 10, 10, 0, 1, nullptr);
  return CollideRectLayers(x2, y2, 10, 10, 1, 0, nullptr).Length();
}

TEST_F(Collisions, SolidRectanglesMeetOnlyWhenTheyShareAPixel) {
  EXPECT_EQ(RectsCollide(0, 0, 9, 9), 1);
  // The boxes touch at (10, 10), but no pixel lies in both.
  EXPECT_EQ(RectsCollide(0, 0, 10, 10), 0);
  EXPECT_EQ(RectsCollide(0, 0, 10, 0), 0);
  EXPECT_EQ(RectsCollide(0, 0, -9, 3), 1);
  EXPECT_EQ(RectsCollide(0, 0, -10, 3), 0);
  EXPECT_EQ(RectsCollide(0, 0, 0, -10), 0);
}

TEST_F(Collisions, TransparentPixelsDoNotCollideWhateverTheirColour) {
  const Ref<TImage> half = HalfImage(10, 10, 5);
  ResetCollisionLayers(1);
  CollideImageLayers(half, 0, 0, 0, 0, 1, nullptr);
  // Touching only the transparent right half.
  EXPECT_EQ(CollideRectLayers(5, 0, 5, 10, 1, 0, nullptr).Length(), 0);
  EXPECT_EQ(CollideRectLayers(4, 9, 5, 10, 1, 0, nullptr).Length(), 1);
  // An image drawn over the transparent half alone misses too.
  EXPECT_EQ(ImagesOverlap(half, 0, 0, 0, HalfImage(5, 10, 5), 5, 0, 0), 0);
  EXPECT_EQ(ImagesOverlap(half, 0, 0, 0, HalfImage(5, 10, 5), 4, 0, 0), 1);
  // Pictures without alpha are solid rectangles.
  const Ref<TImage> solid =
      TImage::LoadImageObject(PixmapCreate(10, 10, FORMAT_RGB888), 0, 0, 0, 0);
  EXPECT_EQ(ImagesOverlap(solid, 0, 0, 0, HalfImage(5, 10, 0), 9, 9, 0), 0);
  EXPECT_EQ(ImagesOverlap(solid, 0, 0, 0, HalfImage(5, 10, 1), 9, 9, 0), 1);
}

TEST_F(Collisions, OneByteAlphaPicturesAreReadByteByByte) {
  Ref<TPixmap> alpha = PixmapCreate(8, 8, FORMAT_ALPHA8);
  alpha->PixelAddress(7, 7)[0] = 200;
  const Ref<TImage> image = TImage::LoadImageObject(alpha, 0, 0, 0, 0);
  EXPECT_EQ(ImagesOverlap(image, 0, 0, 0, HalfImage(1, 1, 1), 7, 7, 0), 1);
  EXPECT_EQ(ImagesOverlap(image, 0, 0, 0, HalfImage(1, 1, 1), 6, 7, 0), 0);
}

TEST_F(Collisions, HandlesPlaceImagesAsTheyAreDrawn) {
  const Ref<TImage> image = HalfImage(10, 10, 10);
  image->SetHandle(5, 5);
  ResetCollisionLayers(1);
  CollideImageLayers(image, 100, 100, 0, 0, 1, nullptr);
  EXPECT_EQ(CollideRectLayers(104, 104, 1, 1, 1, 0, nullptr).Length(), 1);
  EXPECT_EQ(CollideRectLayers(105, 100, 1, 1, 1, 0, nullptr).Length(), 0);
  EXPECT_EQ(CollideRectLayers(95, 95, 1, 1, 1, 0, nullptr).Length(), 1);
}

TEST_F(Collisions, LayersHoldCopiesAndEmptyByMask) {
  const Ref<Object> a = Box(u"a");
  const Ref<Object> b = Box(u"b");
  CollideRectLayers(0, 0, 10, 10, 0, 3, a);  // layers 0 and 1
  CollideRectLayers(0, 0, 10, 10, 0, 4, b);  // layer 2
  const Array<Ref<Object>> hits = CollideRectLayers(5, 5, 1, 1, 7, 0, nullptr);
  ASSERT_EQ(hits.Length(), 3);
  EXPECT_EQ(hits[0], a);
  EXPECT_EQ(hits[1], a);
  EXPECT_EQ(hits[2], b);
  ResetCollisionLayers(5);  // layers 0 and 2
  const Array<Ref<Object>> left = CollideRectLayers(5, 5, 1, 1, 7, 0, nullptr);
  ASSERT_EQ(left.Length(), 1);
  EXPECT_EQ(left[0], a);
  ResetCollisionLayers(0);
  EXPECT_EQ(CollideRectLayers(5, 5, 1, 1, 0xFFFFFFFFu, 0, nullptr).Length(), 0);
}

TEST_F(Collisions, RotatedAndMirroredImages) {
  // Two 20 x 2 bars centred on the same point: crossed at 90 degrees they still meet there.
  const Ref<TImage> bar = HalfImage(20, 2, 20);
  bar->SetHandle(10, 1);
  EXPECT_EQ(TransformedImagesOverlap(bar, 50, 50, 0, 0, 1, 1, bar, 50, 50, 0, 90, 1, 1), 1);
  // Rotated upright, a bar 5 pixels to the side misses the other...
  EXPECT_EQ(TransformedImagesOverlap(bar, 50, 50, 0, 90, 1, 1, bar, 55, 50, 0, 90, 1, 1), 0);
  // ... which it hits when both lie flat.
  EXPECT_EQ(TransformedImagesOverlap(bar, 50, 50, 0, 0, 1, 1, bar, 55, 50, 0, 0, 1, 1), 1);

  // Mirrored, the opaque left half lies left of the handle... and right of it unmirrored.
  const Ref<TImage> half = HalfImage(10, 10, 5);
  const Ref<TImage> dot = HalfImage(1, 1, 1);
  EXPECT_EQ(TransformedImagesOverlap(half, 20, 0, 0, 0, -1, 1, dot, 17, 5, 0, 0, 1, 1), 1);
  EXPECT_EQ(TransformedImagesOverlap(half, 20, 0, 0, 0, -1, 1, dot, 13, 5, 0, 0, 1, 1), 0);
  EXPECT_EQ(TransformedImagesOverlap(half, 20, 0, 0, 0, 1, 1, dot, 22, 5, 0, 0, 1, 1), 1);
  // Scaled up twice, the opaque half reaches 10 pixels.
  EXPECT_EQ(TransformedImagesOverlap(half, 0, 0, 0, 0, 2, 2, dot, 9, 19, 0, 0, 1, 1), 1);
  EXPECT_EQ(TransformedImagesOverlap(half, 0, 0, 0, 0, 2, 2, dot, 10, 19, 0, 0, 1, 1), 0);
}

TEST_F(Collisions, ValueOverloadsPlaceImagesLikeTheCoordinateCalls) {
  const Ref<TImage> bar = HalfImage(20, 2, 20);
  bar->SetHandle(10, 1);
  const RotationScale upright{90, 1, 1};
  EXPECT_TRUE(TransformedImagesOverlap(bar, {50, 50}, 0, {}, bar, {50, 50}, 0, upright));
  EXPECT_FALSE(TransformedImagesOverlap(bar, {50, 50}, 0, upright, bar, {55, 50}, 0, upright));
  // Mirrored by a negative scale, as the 14-argument call mirrors it.
  const Ref<TImage> half = HalfImage(10, 10, 5);
  const Ref<TImage> dot = HalfImage(1, 1, 1);
  EXPECT_TRUE(TransformedImagesOverlap(half, {20, 0}, 0, {0, -1, 1}, dot, {17, 5}, 0, {}));
  EXPECT_FALSE(TransformedImagesOverlap(half, {20, 0}, 0, {0, -1, 1}, dot, {13, 5}, 0, {}));

  EXPECT_TRUE(ImagesOverlap(half, Point{0, 0}, 0, dot, Point{4, 0}, 0));
  EXPECT_FALSE(ImagesOverlap(half, Point{0, 0}, 0, dot, Point{5, 0}, 0));

  ResetCollisionLayers(1);
  const Ref<Object> id = New<Object>();
  EXPECT_EQ(CollideRectLayers(Rect{0, 0, 10, 10}, 0, 1, id).Length(), 0);
  const Array<Ref<Object>> hits = CollideRectLayers(Rect{9, 9, 2, 2}, 1, 0, nullptr);
  ASSERT_EQ(hits.Length(), 1);
  EXPECT_EQ(hits[0], id);
  EXPECT_EQ(CollideRectLayers(Rect{10, 10, 2, 2}, 1, 0, nullptr).Length(), 0);
  ResetCollisionLayers(1);
}

TEST_F(Collisions, QuadsOverlapTestsBoxesFirst) {
  TQuad a, b;
  a.SetQuadCorners(0, 0, 10, 0, 10, 10, 0, 10);
  b.SetQuadCorners(20, 0, 30, 0, 30, 10, 20, 10);
  EXPECT_EQ(a.minX, 0);
  EXPECT_EQ(a.maxY, 10);
  EXPECT_EQ(QuadsOverlap(a, b), 0);
  // A diamond inside the box of a but clear of its corner pixels still overlaps its middle.
  b.SetQuadCorners(5, -3, 13, 5, 5, 13, -3, 5);
  EXPECT_EQ(QuadsOverlap(a, b), 1);
}

}  // namespace
}  // namespace corvax
