#pragma once
/// @file
/// Graphics flags: what a context asks of its frame buffer. They combine with |.
/// Start-up: StartupCorvax() from <corvax/corvax.h>, or StartupGraphicsModule() for this module
/// alone, before any other call.
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
