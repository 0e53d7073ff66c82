#pragma once
/// @defgroup freetype FreeType fonts
/// Outline fonts through FreeType, drawn by the 2D renderer like image fonts. Start-up:
/// StartupCorvax() from <corvax/corvax.h>, or StartupFreeTypeModule() for this module alone, before
/// any other call of the module.
///
/// Example, `examples/text.cpp` (the suite builds and runs it):
/// @include text.cpp

/// @file
/// @ingroup freetype
/// The FreeType font module: start-up and the whole public interface.
#include <corvax/freetype/freetype_font.h>
#include <corvax/freetype/shaped_font.h>

namespace corvax {

/// Starts the modules below, then puts the FreeType loader at the head of the font loaders.
void StartupFreeTypeModule();

}  // namespace corvax
