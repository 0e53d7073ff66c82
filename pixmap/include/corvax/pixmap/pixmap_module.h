#pragma once
/// @defgroup pixmap Pixmaps
/// Pixel buffers in main memory, their formats and conversions, and the PNG, BMP, TGA and JPEG
/// loaders. Start-up: StartupCorvax() from <corvax/corvax.h>, or StartupPixmapModule() for this
/// module alone, before any other call of the module.
///
/// Example, `examples/pixmaps.cpp` (the suite builds and runs it):
/// @include pixmaps.cpp

/// @file
/// @ingroup pixmap
/// The pixmap module: start-up and the whole public interface.
#include <corvax/pixmap/bmp_loader.h>
#include <corvax/pixmap/jpeg_loader.h>
#include <corvax/pixmap/pixel_format.h>
#include <corvax/pixmap/pixel_row.h>
#include <corvax/pixmap/pixmap.h>
#include <corvax/pixmap/pixmap_data_type.h>
#include <corvax/pixmap/pixmap_loader.h>
#include <corvax/pixmap/pixmap_transforms.h>
#include <corvax/pixmap/png_loader.h>
#include <corvax/pixmap/tga_loader.h>

namespace corvax {

/// Starts the stream module, then registers the pixmap data type and the image loaders.
void StartupPixmapModule();

}  // namespace corvax
