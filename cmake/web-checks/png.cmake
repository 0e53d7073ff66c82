# checks for: libpng1.6-1.6.39 emscripten 3.1.6~dfsg-5
set(HAVE_LD_VERSION_SCRIPT "1" CACHE INTERNAL "Test HAVE_LD_VERSION_SCRIPT")
