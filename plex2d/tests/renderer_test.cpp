// The renderer's state and commands, through a driver that logs what it is asked to do.
#include <gtest/gtest.h>

#include <algorithm>

#include "recording_graphics_test.h"

namespace corvax {
namespace {

using testing::Call;
using testing::CallLog;

class Renderer : public testing::RecordingGraphicsTest {
 protected:
  bool Logged(const std::string& line) {
    return std::find(Log().begin(), Log().end(), line) != Log().end();
  }
};

TEST_F(Renderer, NewContextStartsWithDefaultsClearedTwiceAndPushesThemInOrder) {
  // One present between the clears is enough to clear both buffers.
  const CallLog expected = {"ClearTarget",           "Present 0",
                            "ClearTarget",           "UseBlendMode 1",
                            "UseColor 255 255 255",  "UseAlpha 1",
                            "UseClearColor 0 0 0",   "UseLineWidth 1",
                            "UseTransform 1 -0 0 1", "UseViewport 0 0 640 480"};
  EXPECT_EQ(Log(), expected);
  EXPECT_EQ(graphics_->Primed(), 1);
  EXPECT_EQ(GetBlendMode(), BLEND_MASK);
  EXPECT_EQ(GetTextFont(), DefaultFont());

  // Selecting it again pushes the state but does not clear and present.
  Log().clear();
  MakeGraphicsCurrent(graphics_);
  EXPECT_FALSE(Logged("ClearTarget"));
  EXPECT_FALSE(Logged("Present 0"));
  EXPECT_TRUE(Logged("UseBlendMode 1"));
}

TEST_F(Renderer, StateSetOnAContextSurvivesSwitchingToAnother) {
  SetDrawColor(30, 90, 170);
  SetBlendMode(BLEND_ALPHA);
  SetClipViewport(10, 20, 30, 40);
  const Ref<TGraphics> other = CreateGraphicsContext(320, 200, 0, 0, 0);
  MakeGraphicsCurrent(other);
  int r = 0, g = 0, b = 0;
  GetDrawColor(r, g, b);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(GetBlendMode(), BLEND_MASK);

  Log().clear();
  MakeGraphicsCurrent(graphics_);
  EXPECT_TRUE(Logged("UseColor 30 90 170"));
  EXPECT_TRUE(Logged("UseBlendMode 3"));
  EXPECT_TRUE(Logged("UseViewport 10 20 30 40"));
  int x = 0, y = 0, w = 0, h = 0;
  GetClipViewport(x, y, w, h);
  EXPECT_EQ(std::vector<int>({x, y, w, h}), std::vector<int>({10, 20, 30, 40}));
}

TEST_F(Renderer, HandleAndOriginPlaceShapes) {
  SetDrawHandle(10, 5);
  float hx = 0, hy = 0;
  GetDrawHandle(hx, hy);
  EXPECT_EQ(hx, 10);
  EXPECT_EQ(hy, 5);
  Log().clear();
  FillRect(100, 100, 20, 20);
  EXPECT_EQ(Log().back(), "RenderRect -10 -5 10 15 100 100");

  SetDrawOrigin(1, 2);
  FillOval(0, 0, 4, 6);
  EXPECT_EQ(Log().back(), "RenderOval -10 -5 -6 1 1 2");
  // Points take only the origin.
  PlotPoint(3, 4);
  EXPECT_EQ(Log().back(), "RenderPoint 4 6");
  // Polygons have no position of their own.
  FillPolygon(Array<float>{0, 0, 5, 0, 5, 5});
  EXPECT_EQ(Log().back(), "RenderPolygon 6 -10 -5 1 2");
}

TEST_F(Renderer, LineEndPointFollowsTheTransform) {
  SetRotationAngle(90);
  Log().clear();
  DrawLineSegment(10, 10, 20, 10, 1);
  ASSERT_EQ(Log().size(), 2u);
  EXPECT_EQ(Log()[0], "RenderLine 0 0 10 0 10 10");
  // (10, 0) turned by 90 degrees lands 10 below the start.
  float x = 0, y = 0;
  std::sscanf(Log()[1].c_str(), "RenderPoint %f %f", &x, &y);
  EXPECT_NEAR(x, 10, 1e-5);
  EXPECT_NEAR(y, 20, 1e-5);
  DrawLineSegment(0, 0, 1, 1, 0);
  EXPECT_EQ(Log().back().rfind("RenderLine", 0), 0u);
}

TEST_F(Renderer, ValueOverloadsSetAndReadTheSameStateAsTheSeparateCalls) {
  SetDrawColor(Color{30, 90, 170});
  EXPECT_EQ(DrawColor(), (Color{30, 90, 170}));
  EXPECT_TRUE(Logged("UseColor 30 90 170"));
  SetClearColor({1, 2, 3});
  int r = 0, g = 0, b = 0;
  GetClearColor(r, g, b);
  EXPECT_EQ((Color{r, g, b}), (Color{1, 2, 3}));
  EXPECT_EQ(ClearColor(), (Color{1, 2, 3}));

  SetDrawOrigin(Point{1, 2});
  SetDrawHandle({10, 5});
  EXPECT_EQ(DrawOrigin(), (Point{1, 2}));
  EXPECT_EQ(DrawHandle(), (Point{10, 5}));
  Log().clear();
  FillRect(Rect{0, 0, 4, 6});
  FillRect(0, 0, 4, 6);
  ASSERT_EQ(Log().size(), 2u);
  EXPECT_EQ(Log()[0], Log()[1]);
  FillOval(Rect{0, 0, 4, 6});
  EXPECT_EQ(Log().back(), "RenderOval -10 -5 -6 1 1 2");
  PlotPoint(Point{3, 4});
  EXPECT_EQ(Log().back(), "RenderPoint 4 6");

  EXPECT_EQ(RotationAndScale(), (RotationScale{0, 1, 1}));
  SetRotationAndScale(RotationScale{90, 2, 3});
  EXPECT_EQ(RotationAndScale(), (RotationScale{90, 2, 3}));
  EXPECT_EQ(GetRotationAngle(), 90);
  Log().clear();
  DrawLineSegment(Point{10, 10}, Point{20, 10}, false);
  ASSERT_EQ(Log().size(), 1u);
  EXPECT_EQ(Log()[0].rfind("RenderLine", 0), 0u);
}

TEST_F(Renderer, RotationAndScaleGiveTheMatrix) {
  Log().clear();
  SetRotationAndScale(90, 2, 1);
  ASSERT_EQ(Log().size(), 1u);
  const Transform2D m = graphics_->State().transform;
  EXPECT_NEAR(m.ix, 0, 1e-6);
  EXPECT_NE(m.ix, 0);  // single-precision cos 90 is not 0
  EXPECT_EQ(m.iy, -1);
  EXPECT_EQ(m.jx, 2);
  EXPECT_NEAR(m.jy, 0, 1e-6);
  SetScaleFactors(1, 1);
  SetRotationAngle(0);
  EXPECT_EQ(graphics_->State().transform, Transform2D{});
  float sx = 0, sy = 0;
  GetScaleFactors(sx, sy);
  EXPECT_EQ(sx, 1);
  EXPECT_EQ(GetRotationAngle(), 0);
}

TEST_F(Renderer, ImagesDrawWithTheirOwnHandleAndSkipFramesTheDriverRefuses) {
  const Ref<TImage> image = CreateBlankImage(12, 21, 2, 0);
  SetImageHandlePoint(image, 2, 3);
  SetDrawHandle(100, 100);  // not used for images
  SetDrawOrigin(5, 5);
  Log().clear();
  DrawImageAt(image, 320, 240, 1);
  EXPECT_EQ(Log(), CallLog({"MakeImageFrame 8", "RenderFrame 1 -2 -3 10 18 325 245"}));
  DrawImageInRect(image, 0, 0, 24, 42, 1);
  EXPECT_EQ(Log().back(), "RenderFrame 1 -2 -3 22 39 5 5");

  driver_->refuseFrames = true;
  Log().clear();
  DrawImageAt(image, 0, 0, 0);
  DrawImageAt(image, 0, 0, 0);
  // Nothing drawn, and each draw asks again.
  EXPECT_EQ(Log(), CallLog({"MakeImageFrame 8", "MakeImageFrame 8"}));
  EXPECT_THROW(DrawImageAt(image, 0, 0, 2), TArrayBoundsException);
}

TEST_F(Renderer, FramesAreRemadeForNewGraphicsAndAfterAWriteLock) {
  const Ref<TImage> image = CreateBlankImage(4, 4, 1, 0);
  const Ref<TImageFrame> first = image->FrameFor(0);
  EXPECT_EQ(image->FrameFor(0), first);
  AdvanceGraphicsSequence();
  const Ref<TImageFrame> second = image->FrameFor(0);
  EXPECT_NE(second, first);
  LockImageFrame(image, 0, 1, 0);
  EXPECT_EQ(image->FrameFor(0), second);
  LockImageFrame(image, 0, 1, 1);
  EXPECT_NE(image->FrameFor(0), second);
  EXPECT_EQ(driver_->framesMade, 3);
}

TEST_F(Renderer, TilesCoverTheViewportFromACellAtOrBeforeItsCorner) {
  const Ref<TImage> image = CreateBlankImage(16, 16, 1, 0);
  SetRotationAngle(45);
  SetClipViewport(10, 10, 40, 20);
  Log().clear();
  TileImageOver(image, 3.25f, -100.5f);
  std::vector<std::pair<float, float>> cells;
  for (const std::string& line : Log()) {
    float x = 0, y = 0;
    if (std::sscanf(line.c_str(), "RenderFrame 1 0 0 16 16 %f %f", &x, &y) == 2) {
      cells.emplace_back(x, y);
    }
  }
  // Columns at 3.25 + 16k and rows at -100.5 + 16k, from the cells that cover the viewport's
  // left column (10) and top row (10).
  const std::vector<std::pair<float, float>> expected = {
      {3.25f, -4.5f},  {19.25f, -4.5f}, {35.25f, -4.5f}, {3.25f, 11.5f}, {19.25f, 11.5f},
      {35.25f, 11.5f}, {3.25f, 27.5f},  {19.25f, 27.5f}, {35.25f, 27.5f}};
  EXPECT_EQ(cells, expected);
  EXPECT_EQ(Log()[1], "UseTransform 1 0 0 1");
  // The rotation comes back afterwards.
  EXPECT_EQ(Log().back().rfind("UseTransform 0.7", 0), 0u);

  // An empty image has nothing to tile.
  Log().clear();
  TileImageOver(CreateBlankImage(0, 0, 1, 0), 0, 0);
  EXPECT_FALSE(Logged("UseTransform 1 0 0 1"));
}

TEST_F(Renderer, TextWithTheBuiltInFont) {
  EXPECT_EQ(TextWidthOf(u"Hello"), 40);
  EXPECT_EQ(TextHeightOf(), 16);
  // Characters outside 32-127 take no room.
  EXPECT_EQ(TextWidthOf(u"A\u00e9\x1f"
                        u"B"),
            16);
  SetTextFont(nullptr);
  EXPECT_EQ(GetTextFont(), DefaultFont());

  SetRotationAngle(90);
  SetDrawOrigin(100, 50);
  Log().clear();
  DrawTextAt(u"AB", 0, 0);
  std::vector<std::pair<float, float>> pens;
  for (const std::string& line : Log()) {
    float x = 0, y = 0;
    int id = 0;
    if (std::sscanf(line.c_str(), "RenderFrame %d 0 0 8 16 %f %f", &id, &x, &y) == 3) {
      pens.emplace_back(x, y);
    }
  }
  // Under rotation 90 each character steps down by its advance.
  ASSERT_EQ(pens.size(), 2u);
  EXPECT_NEAR(pens[0].first, 100, 1e-4);
  EXPECT_NEAR(pens[0].second, 50, 1e-4);
  EXPECT_NEAR(pens[1].first, 100, 1e-4);
  EXPECT_NEAR(pens[1].second, 58, 1e-4);
}

TEST_F(Renderer, GrabbedFramesAreMaskedWithTheCurrentMaskColour) {
  const Ref<TImage> image = CreateBlankImage(3, 2, 1, IMAGE_MASK);
  SetMaskRGB(0, 0, 0);
  Log().clear();
  GrabImageFrame(image, 7, 8);
  EXPECT_EQ(Log().front(), "CapturePixmap 7 8 3 2");
  // The captured black pixels are the mask colour: transparent.
  EXPECT_EQ(image->FramePixmap(0)->GetPixel(0, 0) >> 24, 0u);
  EXPECT_EQ(GrabPixmapAt(1, 2, 3, 4)->Width(), 3);
  DrawPixmapAt(PixmapCreate(2, 2, FORMAT_RGB888), 5, 6);
  EXPECT_EQ(Log().back(), "RenderPixmap 5 6");
}

TEST_F(Renderer, CollisionsPlaceShapesWithTheOriginAndTheRenderersMatrix) {
  ResetCollisionLayers(0);
  SetDrawOrigin(100, 100);
  SetRotationAngle(90);
  // A 20 x 2 bar at the origin, turned upright: it covers x 98-99, y 100-119.
  CollideRectLayers(0, 0, 20, 2, 0, 1, nullptr);
  SetDrawOrigin(0, 0);
  SetRotationAngle(0);
  EXPECT_EQ(CollideRectLayers(98, 118, 2, 2, 1, 0, nullptr).Length(), 1);
  EXPECT_EQ(CollideRectLayers(100, 100, 2, 2, 1, 0, nullptr).Length(), 0);

  // The pair test turns the renderer for its shapes and turns it back.
  SetRotationAndScale(30, 2, 3);
  const Ref<TImage> bar = TImage::LoadImageObject(PixmapCreate(20, 2, FORMAT_RGB888), 0, 0, 0, 0);
  bar->SetHandle(10, 1);
  EXPECT_EQ(TransformedImagesOverlap(bar, 50, 50, 0, 0, 1, 1, bar, 50, 50, 0, 90, 1, 1), 1);
  EXPECT_EQ(GetRotationAngle(), 30);
  float sx = 0, sy = 0;
  GetScaleFactors(sx, sy);
  EXPECT_EQ(sy, 3);
  EXPECT_EQ(Log().back().rfind("UseTransform 1.73205", 0), 0u);
  // Also when placing fails.
  EXPECT_THROW(
      static_cast<void>(TransformedImagesOverlap(bar, 0, 0, 5, 45, 1, 1, bar, 0, 0, 0, 0, 1, 1)),
      TArrayBoundsException);
  EXPECT_EQ(GetRotationAngle(), 30);
  ResetCollisionLayers(0);
}

TEST_F(Renderer, ClosingTheContextLeavesNothingCurrent) {
  const Ref<TGraphics> plain = graphics_->Wrapped();
  CloseGraphicsContext(graphics_);
  EXPECT_TRUE(Cast<testing::TPlainGraphics>(plain)->closed);
  EXPECT_FALSE(TPlex2DGraphics::Current2D());
  try {
    ClearScreen();
    FAIL() << "drawing without graphics";
  } catch (const TRuntimeException& e) {
    EXPECT_EQ(e.Message(), u"No 2D graphics is current");
  }
  // Closing twice does nothing.
  graphics_->CloseContext();
}

}  // namespace
}  // namespace corvax
