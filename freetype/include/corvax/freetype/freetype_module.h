#pragma once
/// @file
/// The FreeType font module: start-up and the whole public interface.
/// Start-up: StartupCorvax() from <corvax/corvax.h>, or StartupFreeTypeModule() for this module
/// alone, before any other call.
#include <corvax/freetype/freetype_font.h>

namespace corvax {

/// Starts the modules below, then puts the FreeType loader at the head of the font loaders.
void StartupFreeTypeModule();

}  // namespace corvax
