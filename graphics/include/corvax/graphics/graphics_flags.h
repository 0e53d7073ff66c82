#pragma once
/// @file
/// @ingroup graphics
/// Graphics flags: what a context asks of its frame buffer. They combine with |.
namespace corvax {

/// GRAPHICS_ constants combined with |; 0 asks for nothing beyond a window.
using GraphicsFlags = int;

/// A back buffer to draw in.
inline constexpr GraphicsFlags GRAPHICS_BACKBUFFER = 2;
/// An alpha channel in the frame buffer.
inline constexpr GraphicsFlags GRAPHICS_ALPHABUFFER = 4;
/// A depth buffer.
inline constexpr GraphicsFlags GRAPHICS_DEPTHBUFFER = 8;
/// A stencil buffer.
inline constexpr GraphicsFlags GRAPHICS_STENCILBUFFER = 16;
/// An accumulation buffer.
inline constexpr GraphicsFlags GRAPHICS_ACCUMBUFFER = 32;

/// Deprecated: the earlier names of the GRAPHICS_ flags, kept so that programs using them build.
///@{
inline constexpr GraphicsFlags kGraphicsBackBuffer = GRAPHICS_BACKBUFFER;
inline constexpr GraphicsFlags kGraphicsAlphaBuffer = GRAPHICS_ALPHABUFFER;
inline constexpr GraphicsFlags kGraphicsDepthBuffer = GRAPHICS_DEPTHBUFFER;
inline constexpr GraphicsFlags kGraphicsStencilBuffer = GRAPHICS_STENCILBUFFER;
inline constexpr GraphicsFlags kGraphicsAccumBuffer = GRAPHICS_ACCUMBUFFER;
///@}

}  // namespace corvax
