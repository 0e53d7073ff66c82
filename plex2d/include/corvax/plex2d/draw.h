#pragma once
/// @file
/// @ingroup plex2d
/// The immediate-mode drawing commands. They act on the current 2D graphics (the one the graphics
/// core made current through a 2D driver) and store what they set in it. Every command except
/// those marked throws a runtime error "No 2D graphics is current" when there is none.
/// Call first: OpenGraphics (graphics_core.h), which makes its graphics current. Example:
/// examples/shapes.cpp.
#include <corvax/plex2d/blend.h>
#include <corvax/plex2d/color.h>
#include <corvax/plex2d/image.h>
#include <corvax/plex2d/image_font.h>
#include <corvax/plex2d/point.h>
#include <corvax/plex2d/rect.h>
#include <corvax/plex2d/transform.h>
#include <corvax/runtime/array.h>

namespace corvax {

// Drawing state and drawing of the current 2D graphics. Every function here throws the runtime
// error "No 2D graphics is current" when no graphics are current, unless it says otherwise.
// Each Get reads back what its Set stored.

/// Sets the colour shapes, text and tinted images are drawn in.
/// @param r Red, 0-255.
/// @param g Green, 0-255.
/// @param b Blue, 0-255.
/// @sa GetDrawColor, SetDrawAlpha
void SetDrawColor(int r, int g, int b);
/// SetDrawColor with the colour as one value.
/// @param color The colour.
/// @sa DrawColor
inline void SetDrawColor(const Color& color) {
  SetDrawColor(color.r, color.g, color.b);
}
/// Reads back what SetDrawColor stored.
/// @param[out] r Red, 0-255.
/// @param[out] g Green, 0-255.
/// @param[out] b Blue, 0-255.
/// @sa SetDrawColor
void GetDrawColor(int& r, int& g, int& b);
/// @return What SetDrawColor stored, as one value.
/// @sa SetDrawColor
[[nodiscard]] inline Color DrawColor() {
  Color color;
  GetDrawColor(color.r, color.g, color.b);
  return color;
}
/// Sets the colour ClearScreen fills with.
/// @param r Red, 0-255.
/// @param g Green, 0-255.
/// @param b Blue, 0-255.
/// @sa GetClearColor, ClearScreen
void SetClearColor(int r, int g, int b);
/// SetClearColor with the colour as one value.
/// @param color The colour.
/// @sa ClearColor
inline void SetClearColor(const Color& color) {
  SetClearColor(color.r, color.g, color.b);
}
/// Reads back what SetClearColor stored.
/// @param[out] r Red, 0-255.
/// @param[out] g Green, 0-255.
/// @param[out] b Blue, 0-255.
/// @sa SetClearColor
void GetClearColor(int& r, int& g, int& b);
/// @return What SetClearColor stored, as one value.
/// @sa SetClearColor
[[nodiscard]] inline Color ClearColor() {
  Color color;
  GetClearColor(color.r, color.g, color.b);
  return color;
}
/// Sets how drawing combines with what is there.
/// @param mode A BlendMode (blend.h), or its integer value.
/// @sa GetBlendMode, SetDrawAlpha
void SetBlendMode(int mode);
/// @return The mode SetBlendMode stored.
/// @sa SetBlendMode
[[nodiscard]] BlendMode GetBlendMode();
/// Sets the opacity of drawing, for the blend modes that use alpha.
/// @param alpha 0 (invisible) to 1 (opaque).
/// @sa GetDrawAlpha, SetBlendMode
void SetDrawAlpha(float alpha);
/// @return The opacity SetDrawAlpha stored, 0 (invisible) to 1 (opaque).
/// @sa SetDrawAlpha
float GetDrawAlpha();
/// Sets the line width.
/// @param width In pixels.
/// @sa GetLineThickness, DrawLineSegment
void SetLineThickness(float width);
/// @return The line width in pixels SetLineThickness stored.
/// @sa SetLineThickness
float GetLineThickness();
/// Sets the clipping rectangle, in pixels, top-left origin.
/// @param x Its left edge.
/// @param y Its top edge.
/// @param width Its width.
/// @param height Its height.
/// @sa GetClipViewport
void SetClipViewport(int x, int y, int width, int height);
/// Reads back the clipping rectangle SetClipViewport stored, in pixels, top-left origin.
/// @param[out] x Its left edge.
/// @param[out] y Its top edge.
/// @param[out] width Its width.
/// @param[out] height Its height.
/// @sa SetClipViewport
void GetClipViewport(int& x, int& y, int& width, int& height);
/// Sets what is added to every drawing position.
/// @param x Added to x.
/// @param y Added to y.
/// @sa GetDrawOrigin, SetDrawHandle
void SetDrawOrigin(float x, float y);
/// SetDrawOrigin with the origin as one value.
/// @param origin The origin.
/// @sa DrawOrigin
inline void SetDrawOrigin(const Point& origin) {
  SetDrawOrigin(origin.x, origin.y);
}
/// Reads back what SetDrawOrigin stored.
/// @param[out] x Added to x.
/// @param[out] y Added to y.
/// @sa SetDrawOrigin
void GetDrawOrigin(float& x, float& y);
/// @return What SetDrawOrigin stored, as one value.
/// @sa SetDrawOrigin
[[nodiscard]] inline Point DrawOrigin() {
  Point origin;
  GetDrawOrigin(origin.x, origin.y);
  return origin;
}
/// Sets the point of a shape that lands on the drawing position.
/// @param x From the shape's left edge.
/// @param y From the shape's top edge.
/// @sa GetDrawHandle, SetDrawOrigin
void SetDrawHandle(float x, float y);
/// SetDrawHandle with the handle as one value.
/// @param handle The handle.
/// @sa DrawHandle
inline void SetDrawHandle(const Point& handle) {
  SetDrawHandle(handle.x, handle.y);
}
/// Reads back what SetDrawHandle stored.
/// @param[out] x From the shape's left edge.
/// @param[out] y From the shape's top edge.
/// @sa SetDrawHandle
void GetDrawHandle(float& x, float& y);
/// @return What SetDrawHandle stored, as one value.
/// @sa SetDrawHandle
[[nodiscard]] inline Point DrawHandle() {
  Point handle;
  GetDrawHandle(handle.x, handle.y);
  return handle;
}
/// Sets the rotation of shapes and images about their handle.
/// @param degrees Clockwise on screen.
/// @sa GetRotationAngle, SetRotationAndScale
void SetRotationAngle(float degrees);
/// @return The rotation SetRotationAngle stored, in degrees, clockwise on screen.
/// @sa SetRotationAngle
float GetRotationAngle();
/// Sets the scale of shapes and images about their handle.
/// @param scaleX Across; 1 keeps the size.
/// @param scaleY Down; 1 keeps the size.
/// @sa GetScaleFactors, SetRotationAndScale
void SetScaleFactors(float scaleX, float scaleY);
/// Reads back what SetScaleFactors stored.
/// @param[out] scaleX Across.
/// @param[out] scaleY Down.
/// @sa SetScaleFactors
void GetScaleFactors(float& scaleX, float& scaleY);
/// SetRotationAngle and SetScaleFactors in one call.
/// @param degrees The rotation, clockwise on screen.
/// @param scaleX The scale across; 1 keeps the size.
/// @param scaleY The scale down; 1 keeps the size.
void SetRotationAndScale(float degrees, float scaleX, float scaleY);
/// SetRotationAndScale with both as one value.
/// @param rotationScale The rotation and scale.
/// @sa RotationAndScale
inline void SetRotationAndScale(const RotationScale& rotationScale) {
  SetRotationAndScale(rotationScale.rotation, rotationScale.scaleX, rotationScale.scaleY);
}
/// @return The rotation and scale in force, as one value.
/// @sa SetRotationAndScale
[[nodiscard]] inline RotationScale RotationAndScale() {
  RotationScale rotationScale;
  rotationScale.rotation = GetRotationAngle();
  GetScaleFactors(rotationScale.scaleX, rotationScale.scaleY);
  return rotationScale;
}
/// Sets the font DrawTextAt uses.
/// @param font The font; Null selects the default font.
/// @sa GetTextFont, LoadImageFont, DefaultFont
void SetTextFont(const Ref<TImageFont>& font);
/// @return The font SetTextFont selected (the default font for Null).
/// @sa SetTextFont
Ref<TImageFont> GetTextFont();
/// An image font over a loader's source font (TImageFont::LoadImageFont); needs no current
/// graphics.
/// @param url The font file.
/// @param size The size in pixels.
/// @param style Style bits of the loader, FONT_SMOOTH among them.
/// @return The font; Null when no loader reads the file.
/// @sa SetTextFont, DefaultFont
Ref<TImageFont> LoadImageFont(const Url& url, int size, FontStyleFlags style);
/// Needs no current graphics.
/// @return The built-in font, made once.
/// @sa SetTextFont, LoadImageFont
Ref<TImageFont> DefaultFont();

/// Fills the clip viewport with the clear colour.
/// @sa SetClearColor, SetClipViewport
void ClearScreen();
/// Plots a point in the draw colour.
/// @param x Moved by the origin only.
/// @param y Moved by the origin only.
void PlotPoint(float x, float y);
/// PlotPoint with the point as one value.
/// @param point Where, moved by origin and handle.
inline void PlotPoint(const Point& point) {
  PlotPoint(point.x, point.y);
}
/// Draws a line in the draw colour and line width.
/// @param x0 The start point's x.
/// @param y0 The start point's y.
/// @param x1 The end point's x.
/// @param y1 The end point's y.
/// @param lastPixel true plots the end point too.
/// @sa SetLineThickness
void DrawLineSegment(float x0, float y0, float x1, float y1, bool lastPixel = true);
/// DrawLineSegment with the ends as values.
/// @param from The start point.
/// @param to The end point.
/// @param lastPixel true plots the end point too.
inline void DrawLineSegment(const Point& from, const Point& to, bool lastPixel = true) {
  DrawLineSegment(from.x, from.y, to.x, to.y, lastPixel);
}
/// A filled rectangle; origin, handle, rotation and scale apply.
/// @param x Its top-left corner's x before origin, handle, rotation and scale apply.
/// @param y Its top-left corner's y before they apply.
/// @param width Its width.
/// @param height Its height.
/// @sa FillOval, SetDrawHandle
void FillRect(float x, float y, float width, float height);
/// FillRect with the rectangle as one value.
/// @param rect The rectangle before origin, handle, rotation and scale apply.
inline void FillRect(const Rect& rect) {
  FillRect(rect.x, rect.y, rect.width, rect.height);
}
/// The filled oval inside a rectangle; origin, handle, rotation and scale apply.
/// @param x The rectangle's top-left corner's x before origin, handle, rotation and scale apply.
/// @param y Its top-left corner's y before they apply.
/// @param width Its width.
/// @param height Its height.
/// @sa FillRect
void FillOval(float x, float y, float width, float height);
/// FillOval with the rectangle as one value.
/// @param rect The rectangle the oval fills, before origin, handle, rotation and scale apply.
inline void FillOval(const Rect& rect) {
  FillOval(rect.x, rect.y, rect.width, rect.height);
}
/// A filled polygon.
/// @param points x0, y0, x1, y1, ...: positions moved by origin and handle; fewer than three
/// points or an odd count draws nothing.
void FillPolygon(const Array<float>& points);
/// Draws the text in the text font.
/// @param text The text.
/// @param x Its top-left corner's x, moved by origin and handle.
/// @param y Its top-left corner's y, moved by origin and handle.
/// @sa SetTextFont, TextWidthOf
void DrawTextAt(const String& text, float x, float y);
/// @param text The text.
/// @return Its width in pixels of the text font, as drawn (shaped, for a shaped font).
/// @sa TextHeightOf, TImageFont::TextWidth
int TextWidthOf(const String& text);
/// @return The line height in pixels of the text font.
/// @sa TextWidthOf
int TextHeightOf();
/// @param text The text.
/// @return The height of the line the text font draws the text in; for a font with fallback
/// fonts, the line that holds the fonts the text takes glyphs from.
/// @sa TextWidthOf, TImageFont::TextHeight
int TextHeightOf(const String& text);
/// The image's own handle lands at (x, y); the drawing handle is not used. A frame the driver
/// cannot make is not drawn.
/// @param image The image.
/// @param x Where the image's handle lands.
/// @param y Where the image's handle lands.
/// @param frame Which frame.
/// @sa DrawImageInRect, TImage::SetHandle
void DrawImageAt(const Ref<TImage>& image, float x, float y, int frame = 0);
/// DrawImageAt with the place as one value.
/// @param image The image.
/// @param at Where the image's handle lands.
/// @param frame Which frame.
inline void DrawImageAt(const Ref<TImage>& image, const Point& at, int frame = 0) {
  DrawImageAt(image, at.x, at.y, frame);
}
/// Stretched to width x height; the image handle is not scaled.
/// @param image The image.
/// @param x Where the image's handle lands.
/// @param y Where the image's handle lands.
/// @param width The width drawn.
/// @param height The height drawn.
/// @param frame Which frame.
/// @sa DrawImageAt
void DrawImageInRect(const Ref<TImage>& image, float x, float y, float width, float height,
                     int frame = 0);
/// Copies of the frame, unrotated and unscaled, over the whole clip viewport.
/// @param image The image.
/// @param x Where one copy's handle lands.
/// @param y Where one copy's handle lands.
/// @param frame Which frame.
/// @sa DrawImageAt
void TileImageOver(const Ref<TImage>& image, float x, float y, int frame = 0);
/// Screen pixels; origin, handle, transform and blending do not apply.
/// @param pixmap The pixels.
/// @param x The left edge on screen.
/// @param y The top edge on screen.
/// @sa GrabPixmapAt
void DrawPixmapAt(const Ref<TPixmap>& pixmap, int x, int y);
/// Reads the back buffer.
/// @param x The left edge.
/// @param y The top edge.
/// @param width The width.
/// @param height The height.
/// @return The back buffer's pixels, row 0 at the top.
/// @sa DrawPixmapAt, GrabImageFrame
Ref<TPixmap> GrabPixmapAt(int x, int y, int width, int height);
/// The back buffer at (x, y), of the image's size, becomes the frame's pixmap (masked with the
/// current mask colour when the image has IMAGE_MASK).
/// @param image The image.
/// @param x The left edge.
/// @param y The top edge.
/// @param frame Which frame.
/// @sa GrabPixmapAt, SetMaskRGB
void GrabImageFrame(const Ref<TImage>& image, int x, int y, int frame = 0);

/// Starts polled input, images and image fonts; makes the collision layers.
/// @sa StartupPlex2DModule
void StartupRendererModule();

}  // namespace corvax
