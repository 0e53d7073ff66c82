# checks for: freetype-2.12.1+dfsg emscripten 3.1.6~dfsg-5
set(HAVE_FCNTL_H "1" CACHE INTERNAL "Have include fcntl.h")
set(HAVE_UNISTD_H "1" CACHE INTERNAL "Have include unistd.h")
