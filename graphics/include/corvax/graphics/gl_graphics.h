#pragma once
/// @file
/// @ingroup graphics
/// The OpenGL graphics driver: SDL windows with OpenGL contexts that all share one set of
/// textures and display lists through a hidden context made on first use.
#include <corvax/graphics/graphics_core.h>

struct SDL_Window;

namespace corvax {

struct GLContextRecord;

/// An OpenGL context and its window. Closing it leaves an inert object that no longer touches
/// the platform.
class TGLGraphics : public TGraphics {
 public:
  /// Takes over the record of an open context.
  /// @param record The back end's record.
  explicit TGLGraphics(GLContextRecord* record) : record_(record) {}

  Ref<TGraphicsDriver> Driver() const override;
  /// An attached window reports its current size.
  /// @param[out] width The width in pixels.
  /// @param[out] height The height in pixels.
  /// @param[out] depth Bits per pixel, 0 for a window.
  /// @param[out] hertz The refresh rate.
  /// @param[out] flags The flags.
  void GetSettings(int& width, int& height, int& depth, int& hertz, int& flags) override;
  void CloseContext() override;

  /// @return False once closed.
  bool IsOpen() const { return record_ != nullptr; }
  /// @return The window, or nullptr once closed.
  SDL_Window* Window() const;
  /// @return The SDL window id, or 0 once closed.
  int WindowId() const;

  /// @return The back end's record of the context, or nullptr once closed.
  GLContextRecord* Record() const { return record_; }

 private:
  GLContextRecord* record_;
};

/// The OpenGL graphics driver, on SDL windows.
class TGLGraphicsDriver : public TGraphicsDriver {
 public:
  String ToString() const override { return u"OpenGL"; }

  Array<Ref<TGraphicsMode>> EnumerateModes() override;
  Ref<TGraphics> AttachToWindow(int window, GraphicsFlags flags) override;
  Ref<TGraphics> CreateContext(int width, int height, int depth, int hertz,
                               GraphicsFlags flags) override;
  void SelectContext(const Ref<TGraphics>& graphics) override;
  /// Does nothing while no context is current.
  /// @param sync Non-zero waits for vertical retrace.
  void Present(int sync) override;
  /// Toggles between the shared context and the current context. Called in pairs around work
  /// that must land in the shared context (textures), so every context sees it.
  virtual void SwitchSharedContext();
};

/// @return The OpenGL graphics driver, made on first use and kept for the life of the process.
Ref<TGLGraphicsDriver> GLGraphicsDriver();
/// Selects the OpenGL driver with back-buffered contexts, then opens default graphics
/// (OpenGraphics).
/// @param width The width in pixels.
/// @param height The height in pixels.
/// @param depth 0 for a window, else full-screen bits per pixel.
/// @param hertz The refresh rate.
/// @param flags GRAPHICS_ flags.
/// @return The graphics, or Null when they cannot be opened.
Ref<TGraphics> OpenGLGraphics(int width, int height, int depth, int hertz, GraphicsFlags flags = 0);

/// Registers the text font, starts the graphics core and selects this driver.
void StartupGLGraphicsModule();

}  // namespace corvax
