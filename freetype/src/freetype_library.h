#pragma once
#include <ft2build.h>
#include FT_FREETYPE_H

namespace corvax {

// The process's one FreeType library, made on first use and never released; nullptr when
// FreeType cannot start.
FT_Library FreeTypeLibrary();

}  // namespace corvax
