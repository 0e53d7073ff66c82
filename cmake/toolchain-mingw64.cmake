# Cross-compiling for 64-bit Windows with Debian's mingw-w64 compilers. The posix-thread
# variants are the ones whose standard library has std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CORVAX_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${CORVAX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CORVAX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${CORVAX_MINGW_TRIPLE}-windres)

# Libraries and headers come from the mingw sysroot and from CORVAX_WINDOWS_DEPS, the cache
# the dependency script fills; programs (code generators) still come from the build machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${CORVAX_MINGW_TRIPLE})
if(DEFINED ENV{CORVAX_WINDOWS_DEPS})
  set(CORVAX_WINDOWS_DEPS $ENV{CORVAX_WINDOWS_DEPS})
endif()
# Compiler checks run in projects of their own, which must see the same folder.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES CORVAX_WINDOWS_DEPS)
if(CORVAX_WINDOWS_DEPS)
  list(APPEND CMAKE_FIND_ROOT_PATH ${CORVAX_WINDOWS_DEPS})
  list(APPEND CMAKE_PREFIX_PATH ${CORVAX_WINDOWS_DEPS})
  # pkg-config sees only the Windows libraries, never the build machine's.
  set(ENV{PKG_CONFIG_LIBDIR} ${CORVAX_WINDOWS_DEPS}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_PATH} "")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's own run-time libraries (libgcc, libstdc++, winpthread) are linked in, so
# programs need no DLLs from it; system DLLs and SDL2.dll are still linked through their
# import libraries. zlib is linked in too.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
set(ZLIB_USE_STATIC_LIBS ON)

# Programs run under Wine when CTest or a discovery step runs them.
find_program(CORVAX_WINE wine)
if(CORVAX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CORVAX_WINE})
endif()
