# Building for the browser with Debian's Emscripten: its own toolchain file, plus the cache of
# libraries scripts/web-deps builds (CORVAX_WEB_DEPS) and the settings every program needs.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

if(DEFINED ENV{CORVAX_WEB_DEPS})
  set(CORVAX_WEB_DEPS $ENV{CORVAX_WEB_DEPS})
endif()
# Compiler checks run in projects of their own, which must see the same folder.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES CORVAX_WEB_DEPS)
if(CORVAX_WEB_DEPS)
  # Ahead of Emscripten's own folder, whose SDL2 package config asks for the SDL "port" that
  # would be downloaded.
  list(PREPEND CMAKE_FIND_ROOT_PATH ${CORVAX_WEB_DEPS})
  list(APPEND CMAKE_PREFIX_PATH ${CORVAX_WEB_DEPS})
  # pkg-config sees only the web libraries, never the build machine's.
  set(ENV{PKG_CONFIG_LIBDIR} ${CORVAX_WEB_DEPS}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_PATH} "")
endif()

# Debian's Emscripten runs its JavaScript steps with node, which finds Debian's node modules
# (acorn, the minifier's parser) only through NODE_PATH; links are run with it set.
# Emscripten also checks its own installation on every call, which costs a second each time
# because Debian's read-only cache cannot record that it passed: scripts/web-deps checks it once
# and every compile and link here skips it.
set(CORVAX_EMSCRIPTEN_NODE_ENV env NODE_PATH=/usr/share/nodejs EMCC_SKIP_SANITY_CHECK=1)
set(CMAKE_C_COMPILER_LAUNCHER ${CORVAX_EMSCRIPTEN_NODE_ENV})
set(CMAKE_CXX_COMPILER_LAUNCHER ${CORVAX_EMSCRIPTEN_NODE_ENV})
set(CMAKE_C_LINKER_LAUNCHER ${CORVAX_EMSCRIPTEN_NODE_ENV})
set(CMAKE_CXX_LINKER_LAUNCHER ${CORVAX_EMSCRIPTEN_NODE_ENV})
set(ENV{NODE_PATH} /usr/share/nodejs)
set(ENV{EMCC_SKIP_SANITY_CHECK} 1)

# C++ exceptions are caught as on the desktop; by default Emscripten aborts on a throw.
set(CMAKE_C_FLAGS_INIT "-fexceptions")
set(CMAKE_CXX_FLAGS_INIT "-fexceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fexceptions")

# Programs built during configuration (compiler checks of the libraries) run under node.
set(CMAKE_CROSSCOMPILING_EMULATOR node --no-experimental-fetch)
