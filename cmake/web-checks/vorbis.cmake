# checks for: libvorbis-1.3.7 emscripten 3.1.6~dfsg-5
set(HAVE_LIBM "1" CACHE INTERNAL "Have library m")
