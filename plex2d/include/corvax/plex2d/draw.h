#pragma once
/// @file
/// @ingroup plex2d
/// The immediate-mode drawing commands. They act on the current 2D graphics (the one the graphics
/// core made current through a 2D driver) and store what they set in it. Every command except
/// those marked throws a runtime error "No 2D graphics is current" when there is none.
/// Call first: OpenGraphics (graphics_core.h), which makes its graphics current. Example:
/// examples/shapes.cpp.
#include <corvax/plex2d/image.h>
#include <corvax/plex2d/image_font.h>
#include <corvax/runtime/array.h>

namespace corvax {

/// Drawing state and drawing of the current 2D graphics. Every function here throws the runtime
/// error "No 2D graphics is current" when no graphics are current, unless it says otherwise.
/// Each Get reads back what its Set stored.
///
/// The colour shapes, text and tinted images are drawn in; components 0-255.
///@{
void SetDrawColor(int r, int g, int b);
void GetDrawColor(int& r, int& g, int& b);
///@}
/// The colour ClearScreen fills with; components 0-255.
///@{
void SetClearColor(int r, int g, int b);
void GetClearColor(int& r, int& g, int& b);
///@}
/// How drawing combines with what is there: a BLEND_ constant (blend.h).
///@{
void SetBlendMode(int mode);
int GetBlendMode();
///@}
/// The opacity of drawing, 0 (invisible) to 1 (opaque), for the blend modes that use alpha.
///@{
void SetDrawAlpha(float alpha);
float GetDrawAlpha();
///@}
/// Line width in pixels.
///@{
void SetLineThickness(float width);
float GetLineThickness();
///@}
/// Clipping rectangle in pixels, top-left origin.
///@{
void SetClipViewport(int x, int y, int width, int height);
void GetClipViewport(int& x, int& y, int& width, int& height);
///@}
/// Added to every drawing position.
///@{
void SetDrawOrigin(float x, float y);
void GetDrawOrigin(float& x, float& y);
///@}
/// The point of a shape that lands on the drawing position.
///@{
void SetDrawHandle(float x, float y);
void GetDrawHandle(float& x, float& y);
///@}
/// Rotation of shapes and images about their handle, in degrees, clockwise on screen.
///@{
void SetRotationAngle(float degrees);
float GetRotationAngle();
///@}
/// Scale of shapes and images about their handle; 1 keeps the size.
///@{
void SetScaleFactors(float scaleX, float scaleY);
void GetScaleFactors(float& scaleX, float& scaleY);
///@}
/// Both of the above in one call.
void SetRotationAndScale(float degrees, float scaleX, float scaleY);
/// Null selects the default font.
///@{
void SetTextFont(const Ref<TImageFont>& font);
Ref<TImageFont> GetTextFont();
///@}
/// An image font over a loader's source font; needs no current graphics.
Ref<TImageFont> LoadImageFont(const Url& url, int size, int style);
/// The built-in font, made once; needs no current graphics.
Ref<TImageFont> DefaultFont();

/// Fills the clip viewport with the clear colour.
void ClearScreen();
/// At (x, y) moved by the origin only.
void PlotPoint(float x, float y);
/// With lastPixel non-zero the end point is plotted too.
void DrawLineSegment(float x0, float y0, float x1, float y1, int lastPixel = 1);
/// A filled rectangle or the oval inside it; (x, y) is its top-left corner before origin,
/// handle, rotation and scale apply.
///@{
void FillRect(float x, float y, float width, float height);
void FillOval(float x, float y, float width, float height);
///@}
/// x0, y0, x1, y1, ...: positions moved by origin and handle; fewer than three points or an odd
/// count draws nothing.
void FillPolygon(const Array<float>& points);
/// The text in the text font, its top-left corner at (x, y) moved by origin and handle.
void DrawTextAt(const String& text, float x, float y);
/// The text's width and the line height, in pixels of the text font.
///@{
int TextWidthOf(const String& text);
int TextHeightOf();
///@}
/// The image's own handle lands at (x, y); the drawing handle is not used. A frame the driver
/// cannot make is not drawn.
void DrawImageAt(const Ref<TImage>& image, float x, float y, int frame = 0);
/// Stretched to width x height; the image handle is not scaled.
void DrawImageInRect(const Ref<TImage>& image, float x, float y, float width, float height,
                     int frame = 0);
/// Copies of the frame, unrotated and unscaled, over the whole clip viewport, one of them with
/// its handle at (x, y).
void TileImageOver(const Ref<TImage>& image, float x, float y, int frame = 0);
/// Screen pixels at (x, y); origin, handle, transform and blending do not apply.
void DrawPixmapAt(const Ref<TPixmap>& pixmap, int x, int y);
/// The back buffer's pixels, row 0 at the top.
Ref<TPixmap> GrabPixmapAt(int x, int y, int width, int height);
/// The back buffer at (x, y), of the image's size, becomes the frame's pixmap (masked with the
/// current mask colour when the image has IMAGE_MASK).
void GrabImageFrame(const Ref<TImage>& image, int x, int y, int frame = 0);

/// Starts polled input, images and image fonts; makes the collision layers.
void StartupRendererModule();

}  // namespace corvax
