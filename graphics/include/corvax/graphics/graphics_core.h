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

/// Makes driver current. Whatever context was current is deselected (not closed).
/// @param driver The driver.
/// @param defaultFlags Flags ORed into every context request.
/// @sa CurrentGraphicsDriver
void SelectGraphicsDriver(const Ref<TGraphicsDriver>& driver, int defaultFlags);
/// @return The driver SelectGraphicsDriver set; Null before.
Ref<TGraphicsDriver> CurrentGraphicsDriver();
/// @return The flags SelectGraphicsDriver set; 0 before.
GraphicsFlags GraphicsDriverFlags();

/// @return The current driver's display modes, fetched once per driver.
Array<Ref<TGraphicsMode>> ListGraphicsModes();
/// @return The number of modes ListGraphicsModes gives.
int GraphicsModeCount();
/// Throws TArrayBoundsException for an index outside the list.
/// @param index Into ListGraphicsModes.
/// @param[out] width The mode's width.
/// @param[out] height Its height.
/// @param[out] depth Its bits per pixel.
/// @param[out] hertz Its refresh rate.
void GraphicsModeAt(int index, int& width, int& height, int& depth, int& hertz);
/// An argument of 0 matches anything.
/// @param width The width.
/// @param height The height.
/// @param depth Bits per pixel.
/// @param hertz The refresh rate.
/// @return true when a listed mode matches, else false.
[[nodiscard]] bool HasGraphicsMode(int width, int height, int depth, int hertz);

/// A context of the current driver (its exceptions are swallowed).
/// @param width The width in pixels.
/// @param height The height in pixels.
/// @param depth 0 for a window, else full-screen bits per pixel.
/// @param hertz The refresh rate.
/// @param flags GRAPHICS_ flags.
/// @return The context; Null when the driver cannot make one.
Ref<TGraphics> CreateGraphicsContext(int width, int height, int depth, int hertz,
                                     GraphicsFlags flags);
/// A context of the current driver on a window the application owns (its exceptions are swallowed).
/// @param window The window (the SDL window id for SDL-based drivers).
/// @param flags GRAPHICS_ flags.
/// @return The context; Null when the driver cannot make one.
Ref<TGraphics> AttachGraphicsContext(int window, GraphicsFlags flags);
/// Selects a context for drawing, switching to its driver when needed.
/// @param graphics The context, or Null for none.
void MakeGraphicsCurrent(const Ref<TGraphics>& graphics);
/// Closes the context (CloseContext); the current one stops being current.
/// @param graphics The context.
void CloseGraphicsContext(const Ref<TGraphics>& graphics);
/// @return The context drawing goes to, or Null.
Ref<TGraphics> CurrentGraphics();

/// @return The current graphics' width, copied when it was selected; 0 with none.
int CurrentGraphicsWidth();
/// @return The current graphics' height; 0 with none.
int CurrentGraphicsHeight();
/// @return The current graphics' depth; 0 with none.
int CurrentGraphicsDepth();
/// @return The current graphics' refresh rate; 0 with none.
int CurrentGraphicsHertz();
/// @return The current graphics' flags; 0 with none.
GraphicsFlags CurrentGraphicsFlags();

/// Closes any default graphics, then opens new ones and makes them current. A full-screen display's
/// synchronised present is measured so that a retrace wait that does not match hertz is replaced by
/// software pacing. Starts polled input. Nothing else changes when the graphics cannot be opened.
/// @param width The width in pixels.
/// @param height The height in pixels.
/// @param depth 0 opens a window; any other depth a full-screen display.
/// @param hertz The refresh rate.
/// @param flags GRAPHICS_ flags.
/// @return The graphics, or Null when they cannot be opened.
/// @sa PresentFrame, CloseDefaultGraphics
Ref<TGraphics> OpenGraphics(int width, int height, int depth, int hertz, GraphicsFlags flags = 0);
/// @return The graphics OpenGraphics opened, or Null.
Ref<TGraphics> DefaultGraphics();
/// Also runs at process exit once graphics have been opened.
void CloseDefaultGraphics();

/// Runs the FrameHookId chain, then presents.
/// @param sync 0 does not wait, 1 waits for retrace, -1 paces the default graphics to their refresh
/// rate (by retrace or by timer).
void PresentFrame(int sync = -1);
/// @return The hook id run by every PresentFrame, with the Null object as data.
int FrameHookId();

/// Changes whenever the default graphics open or close (and when a driver loses its surfaces); what
/// was made for a context of an older number must be made again.
/// @return The number, never 0.
std::int32_t GraphicsSequence();
/// Moves the graphics sequence on.
/// @return The new number, never 0.
std::int32_t AdvanceGraphicsSequence();

/// Starts this part of the module once, after what it needs; StartupCorvax() covers it.
void StartupGraphicsCoreModule();

}  // namespace corvax
