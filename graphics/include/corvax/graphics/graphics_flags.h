#pragma once
/// @file
/// @ingroup graphics
/// Graphics flags: what a context asks of its frame buffer. They combine with |.
namespace corvax {

/// A back buffer to draw in, alpha, depth, stencil and accumulation buffers.
///@{
inline constexpr int kGraphicsBackBuffer = 2;
inline constexpr int kGraphicsAlphaBuffer = 4;
inline constexpr int kGraphicsDepthBuffer = 8;
inline constexpr int kGraphicsStencilBuffer = 16;
inline constexpr int kGraphicsAccumBuffer = 32;
///@}

}  // namespace corvax
