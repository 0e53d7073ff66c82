#pragma once
// The FreeType font module: start-up and the whole public interface.
#include <corvax/freetype/freetype_font.h>

namespace corvax {

// Starts the modules below, then puts the FreeType loader at the head of the font loaders.
void StartupFreeTypeModule();

}  // namespace corvax
