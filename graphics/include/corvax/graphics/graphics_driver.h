#pragma once
/// @file
/// @ingroup graphics
/// The contract between the graphics core and a back end. A driver makes graphics contexts
/// (TGraphics), selects one for drawing and presents it; it is also the data type of the
/// contexts it makes, so a graphics object written to a data stream reopens graphics of the same
/// mode when read back.
#include <corvax/runtime/runtime_module.h>
#include <corvax/stream/data_type.h>

#include <corvax/graphics/graphics_flags.h>
#include <corvax/graphics/graphics_mode.h>

namespace corvax {

class TGraphicsDriver;

/// A graphics context: a window or full-screen display that can be drawn to and presented.
class TGraphics : public TData {
 public:
  Ref<TDataType> GetDataType() const override;

  /// @return The driver that made the context.
  virtual Ref<TGraphicsDriver> Driver() const = 0;
  /// @param[out] width The size in pixels: width.
  /// @param[out] height Height.
  /// @param[out] depth Bits per pixel, 0 for a window.
  /// @param[out] hertz The refresh rate.
  /// @param[out] flags The flags.
  virtual void GetSettings(int& width, int& height, int& depth, int& hertz, int& flags) = 0;
  /// Releases the window and the rendering context; the object stays, inert.
  virtual void CloseContext() = 0;
};

/// Makes graphics contexts of one kind; also the data type of its contexts.
class TGraphicsDriver : public TDataType {
 public:
  /// @return "KVT.Graphics.TGraphics".
  String TypeName() const override;
  /// Reads width, height, depth and hertz, then opens default graphics of that mode.
  /// @param stream The stream to read.
  /// @return The graphics; Null when they cannot be opened.
  Ref<Object> ReadInstance(TStream& stream) override;
  /// Writes width, height, depth and hertz; the flags are not kept.
  /// @param object The graphics.
  /// @param stream The stream to write.
  void WriteInstance(const Ref<Object>& object, TStream& stream) override;

  /// @return The display modes the driver can switch to, at least 16 bits per pixel.
  virtual Array<Ref<TGraphicsMode>> EnumerateModes() = 0;
  /// A context on a window the application owns.
  /// @param window For SDL-based drivers, the SDL window id.
  /// @param flags GRAPHICS_ flags.
  /// @return The context; Null (or a throw) when that is impossible.
  virtual Ref<TGraphics> AttachToWindow(int window, GraphicsFlags flags) = 0;
  /// @param width The width in pixels.
  /// @param height The height in pixels.
  /// @param depth 0 asks for a window, any other depth for full screen at that many bits per pixel.
  /// @param hertz The refresh rate.
  /// @param flags GRAPHICS_ flags.
  /// @return The context; Null (or a throw) when it cannot be made.
  virtual Ref<TGraphics> CreateContext(int width, int height, int depth, int hertz,
                                       GraphicsFlags flags) = 0;
  /// Makes the context current for drawing.
  /// @param graphics The context; Null (or a context of another driver) selects none.
  virtual void SelectContext(const Ref<TGraphics>& graphics) = 0;
  /// Shows the back buffer of the current context.
  /// @param sync Non-zero waits for vertical retrace.
  virtual void Present(int sync) = 0;
};

}  // namespace corvax
