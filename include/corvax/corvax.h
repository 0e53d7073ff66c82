#pragma once
/// @file
/// The one header a program needs: every module of the framework that the program links, and
/// StartupCorvax, the one call that starts them all.
///
/// A first program, `examples/first_program.cpp` (the suite builds and runs it):
/// @include first_program.cpp
///
/// Each module also has its own header, `<corvax/MODULE/MODULE_module.h>`, for programs that
/// link only some modules; that module's Startup...Module function then starts it.

#include <corvax/runtime/runtime_module.h>
#if __has_include(<corvax/stream/stream_module.h>)
#include <corvax/stream/stream_module.h>
#define CORVAX_HAS_STREAM 1
#endif
#if __has_include(<corvax/pixmap/pixmap_module.h>)
#include <corvax/pixmap/pixmap_module.h>
#define CORVAX_HAS_PIXMAP 1
#endif
#if __has_include(<corvax/system/system_module.h>)
#include <corvax/system/system_module.h>
#define CORVAX_HAS_SYSTEM 1
#endif
#if __has_include(<corvax/graphics/graphics_module.h>)
#include <corvax/graphics/graphics_module.h>
#define CORVAX_HAS_GRAPHICS 1
#endif
#if __has_include(<corvax/plex2d/plex2d_module.h>)
#include <corvax/plex2d/plex2d_module.h>
#define CORVAX_HAS_PLEX2D 1
#endif
#if __has_include(<corvax/dx7/dx7_module.h>)
#include <corvax/dx7/dx7_module.h>
#define CORVAX_HAS_DX7 1
#endif
#if __has_include(<corvax/audio/audio_module.h>)
#include <corvax/audio/audio_module.h>
#define CORVAX_HAS_AUDIO 1
#endif
#if __has_include(<corvax/net/net_module.h>)
#include <corvax/net/net_module.h>
#define CORVAX_HAS_NET 1
#endif
#if __has_include(<corvax/freetype/freetype_module.h>)
#include <corvax/freetype/freetype_module.h>
#define CORVAX_HAS_FREETYPE 1
#endif
#if __has_include(<corvax/process/process_module.h>)
#include <corvax/process/process_module.h>
#define CORVAX_HAS_PROCESS 1
#endif

namespace corvax {

/// Starts every module the program links, each once and after the modules it depends on.
/// Registries are asked newest first, so this order decides which factory, loader or driver
/// answers first; the last 2D driver to start becomes the current graphics driver: DirectX 7
/// where it can be used, OpenGL otherwise. The socket
/// and HTTP protocols come before the text streams, so the text protocols are asked first. Call it
/// first in the routine given to RunApplication; calling it again does nothing.
inline void StartupCorvax() {
  StartupRuntimeModule();
#ifdef CORVAX_HAS_AUDIO
  StartupAudioModule();
#endif
#ifdef CORVAX_HAS_NET
  StartupNetModule();
#endif
#ifdef CORVAX_HAS_STREAM
  StartupStreamModule();
#endif
#ifdef CORVAX_HAS_PIXMAP
  StartupPixmapModule();
#endif
#ifdef CORVAX_HAS_GRAPHICS
  StartupGraphicsModule();
#endif
#ifdef CORVAX_HAS_PLEX2D
  StartupPlex2DModule();
#endif
#ifdef CORVAX_HAS_DX7
  // Replaces the OpenGL 2D driver where DirectX 7 can be used.
  StartupDX7Module();
#endif
#ifdef CORVAX_HAS_SYSTEM
  StartupSystemModule();
#endif
#ifdef CORVAX_HAS_FREETYPE
  StartupFreeTypeModule();
#endif
#ifdef CORVAX_HAS_PROCESS
  StartupProcessModule();
#endif
}

}  // namespace corvax
