#pragma once
/// @file
/// @ingroup graphics
/// The back-end-neutral graphics layer: one current driver, one current context, the default
/// graphics an application opens, and frame presentation paced to the requested refresh rate.
/// Call first: OpenGraphics(width, height, 0, hertz) for a window (a depth above 0 asks for full
/// screen); then draw, and PresentFrame() once per frame. Example: examples/shapes.cpp.
#include <cstdint>

#include <corvax/graphics/graphics_driver.h>

namespace corvax {

/// Makes driver current and sets the flags ORed into every context request. Whatever context
/// was current is deselected (not closed).
void SelectGraphicsDriver(const Ref<TGraphicsDriver>& driver, int defaultFlags);
/// The driver and flags SelectGraphicsDriver set; Null and 0 before.
///@{
Ref<TGraphicsDriver> CurrentGraphicsDriver();
int GraphicsDriverFlags();
///@}

/// The current driver's display modes, fetched once per driver.
Array<Ref<TGraphicsMode>> ListGraphicsModes();
/// The number of modes ListGraphicsModes gives.
int GraphicsModeCount();
/// Throws TArrayBoundsException for an index outside the list.
void GraphicsModeAt(int index, int& width, int& height, int& depth, int& hertz);
/// 1 when a listed mode matches; an argument of 0 matches anything.
int HasGraphicsMode(int width, int height, int depth, int hertz);

/// Contexts of the current driver; Null when the driver cannot make one (its exceptions are
/// swallowed).
///@{
Ref<TGraphics> CreateGraphicsContext(int width, int height, int depth, int hertz, int flags);
Ref<TGraphics> AttachGraphicsContext(int window, int flags);
///@}
/// Selects a context for drawing (switching to its driver when needed), or none with Null.
void MakeGraphicsCurrent(const Ref<TGraphics>& graphics);
/// Closes the context (CloseContext); the current one stops being current.
void CloseGraphicsContext(const Ref<TGraphics>& graphics);
/// The context drawing goes to, or Null.
Ref<TGraphics> CurrentGraphics();

/// Settings of the current graphics, copied when it was selected; 0 with none.
///@{
int CurrentGraphicsWidth();
int CurrentGraphicsHeight();
int CurrentGraphicsDepth();
int CurrentGraphicsHertz();
int CurrentGraphicsFlags();
///@}

/// Closes any default graphics, then opens new ones and makes them current. depth 0 opens a
/// window; any other depth a full-screen display, whose synchronised present is measured so
/// that a retrace wait that does not match hertz is replaced by software pacing. Starts polled
/// input. Null when the graphics cannot be opened; nothing else changes then.
Ref<TGraphics> OpenGraphics(int width, int height, int depth, int hertz, int flags = 0);
/// The graphics OpenGraphics opened, or Null.
Ref<TGraphics> DefaultGraphics();
/// Also runs at process exit once graphics have been opened.
void CloseDefaultGraphics();

/// Runs the FrameHookId chain, then presents. sync 0 does not wait, 1 waits for retrace, -1
/// paces the default graphics to their refresh rate (by retrace or by timer).
void PresentFrame(int sync = -1);
/// The hook id run by every PresentFrame, with the Null object as data.
int FrameHookId();

/// Changes whenever the default graphics open or close (and when a driver loses its surfaces);
/// never 0. What was made for a context of an older number must be made again.
///@{
std::int32_t GraphicsSequence();
std::int32_t AdvanceGraphicsSequence();
///@}

/// Starts this part of the module once, after what it needs; StartupCorvax() covers it.
void StartupGraphicsCoreModule();

}  // namespace corvax
