#pragma once
/// @file
/// The pixmap module: start-up and the whole public interface.
/// Start-up: StartupCorvax() from <corvax/corvax.h>, or StartupPixmapModule() for this module
/// alone, before any other call.
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
