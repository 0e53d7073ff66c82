# The browser build (Emscripten): which modules a web page can run, and how its programs and
# tests are linked and run. README says what is left out and why.

# Modules built for a page, lowest first. The network module's "http" goes through the
# browser's fetch there; what a page has not (sockets, name lookup, replication) fails with a
# line saying so (net/src/web/).
set(CORVAX_WEB_MODULES runtime stream pixmap system graphics plex2d audio net dx7 freetype process
  app)

# A program's main returns into the page, which hears its status (tools/web/program.html);
# memory grows as the program needs, as it does on the desktop.
add_link_options(-sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1)

# Linking with Asyncify at -O2 or -O3 costs each program half a minute of a core in Binaryen's
# passes over the whole module, and the web build links about seventy; at -O1, four seconds. So
# the programs only the suite runs (tests, probes, the examples' headless twins) are linked at
# -O1, their code compiled as optimised as ever, and the programs a user plays on a page, and
# the benchmark, get the build's full optimisation at link time too (corvax_web_full_link).
# CI, which only tests the pages, turns that off for them (half of the web build's time).
add_link_options($<$<NOT:$<CONFIG:Debug>>:-O1>)
option(CORVAX_WEB_OPTIMISED_PAGES "Link the programs of the pages at the build's optimisation" ON)

# corvax_web_full_link(TARGET): TARGET linked with the build type's own optimisation level.
function(corvax_web_full_link target)
  target_link_options(${target} PRIVATE
    $<$<CONFIG:Release>:-O3> $<$<CONFIG:RelWithDebInfo>:-O2> $<$<CONFIG:MinSizeRel>:-Os>)
endfunction()

# OpenGL in a page is Emscripten's emulation of OpenGL 1.1 over WebGL, chosen by a link setting
# rather than a library. (WebGL 1: its fixed-function emulation is written for it.)
add_library(OpenGL::GL INTERFACE IMPORTED GLOBAL)
target_link_options(OpenGL::GL INTERFACE -sLEGACY_GL_EMULATION=1)

find_package(Python3 COMPONENTS Interpreter REQUIRED)
# Runs a program's NAME.js in headless Chromium and exits with its status.
set(CORVAX_WEB_RUNNER ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/web/run-wasm.py)
# Seconds a test program has in the browser, below CTest's own limit so the runner can still
# say why it stopped.
set(CORVAX_WEB_TEST_SECONDS 280)

# corvax_web_test(NAME LABELS ... ENV VAR=VALUE ... EXCLUDE Suite.Case ... SERIAL TRUE|FALSE)
# The test executable NAME as one CTest test run in the browser, with ENV set inside the page
# and the EXCLUDE cases filtered out.
function(corvax_web_test name)
  cmake_parse_arguments(ARG "" "SERIAL" "LABELS;ENV;EXCLUDE" ${ARGN})
  # SDL's silent and disk audio drivers need a thread of their own, which a page has not: tests
  # play into the browser's audio instead, allowed to start without a click.
  list(FILTER ARG_ENV EXCLUDE REGEX "^SDL_AUDIODRIVER=")
  set(arguments --timeout ${CORVAX_WEB_TEST_SECONDS} --autoplay)
  foreach(variable IN LISTS ARG_ENV)
    list(APPEND arguments --env ${variable})
  endforeach()
  set(program_arguments)
  if(ARG_EXCLUDE)
    list(JOIN ARG_EXCLUDE ":" filter)
    set(program_arguments "--gtest_filter=-${filter}")
  endif()
  add_test(NAME ${name}
    COMMAND ${CORVAX_WEB_RUNNER} ${arguments} $<TARGET_FILE:${name}> ${program_arguments})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  if(ARG_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
  endif()
  if(ARG_SERIAL)
    set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)
  endif()
endfunction()

# corvax_web_files(TARGET FILE...)
# Packs each file into the program's page file system at its own absolute path (NAME.data beside
# NAME.js), so a test names a source-tree file as it does on the desktop.
function(corvax_web_files target)
  foreach(file IN LISTS ARGN)
    target_link_options(${target} PRIVATE "SHELL:--preload-file ${file}@${file}")
  endforeach()
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${ARGN})
endfunction()

# corvax_web_page(TARGET TITLE HINT)
# A page for a user to play the program on, NAME.html beside NAME.js, listed on the index page
# at the top of the build folder (corvax_web_index). HINT says what to do there (no semicolons).
function(corvax_web_page target title hint)
  if(CORVAX_WEB_OPTIMISED_PAGES)
    corvax_web_full_link(${target})
  endif()
  get_target_property(folder ${target} RUNTIME_OUTPUT_DIRECTORY)
  if(NOT folder)
    set(folder ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  endif()
  get_target_property(program ${target} OUTPUT_NAME)
  if(NOT program)
    set(program ${target})
  endif()
  file(RELATIVE_PATH INDEX_LINK ${folder} ${CMAKE_BINARY_DIR}/index.html)
  set(PAGE_TITLE ${title})
  set(PAGE_HINT ${hint})
  set(PROGRAM ${program})
  configure_file(${CMAKE_SOURCE_DIR}/tools/web/page.html.in ${folder}/${program}.html @ONLY)
  file(RELATIVE_PATH link ${CMAKE_BINARY_DIR} ${folder}/${program}.html)
  set_property(GLOBAL APPEND PROPERTY CORVAX_WEB_PAGES "<li><a href=\"${link}\">${title}</a>: ${hint}</li>")
endfunction()

# Writes index.html into the build folder, linking every page made so far.
function(corvax_web_index)
  get_property(pages GLOBAL PROPERTY CORVAX_WEB_PAGES)
  list(JOIN pages "\n" PAGE_LINKS)
  string(APPEND PAGE_LINKS "\n")
  configure_file(${CMAKE_SOURCE_DIR}/tools/web/index.html.in ${CMAKE_BINARY_DIR}/index.html @ONLY)
endfunction()
