# Back ends live in folders of their own inside a module's src/ (and tests/): src/sdl/,
# src/opengl/, src/posix/, src/windows/, ... A module names the back ends it builds; the
# operating system's one is CORVAX_OS_BACKEND.
if(WIN32)
  set(CORVAX_OS_BACKEND windows)
else()
  set(CORVAX_OS_BACKEND posix)
endif()
# A web page's C library is Emscripten's POSIX one (files, the process start), but the page is
# no desktop: what the desktop gives (other programs, desktop helpers) comes from web/ there,
# CORVAX_DESKTOP_BACKEND, and the tests that drive the system itself (signals, fork, other
# users), CORVAX_OS_TEST_BACKEND, stay out.
if(EMSCRIPTEN)
  set(CORVAX_DESKTOP_BACKEND web)
  set(CORVAX_OS_TEST_BACKEND "")
else()
  set(CORVAX_DESKTOP_BACKEND ${CORVAX_OS_BACKEND})
  set(CORVAX_OS_TEST_BACKEND ${CORVAX_OS_BACKEND})
endif()

# The few OpenGL 1.1 calls that Emscripten's emulation over WebGL lacks (pixel writes at a
# raster position, the attribute stack, matrices read back, proxy textures, sized texture
# formats) are made in desktop_gl/ by desktop drivers and replaced in web/ in a page, where the
# same work is done with textured quads and state the framework tracks itself.
if(EMSCRIPTEN)
  set(CORVAX_GL_BACKEND web)
else()
  set(CORVAX_GL_BACKEND desktop_gl)
endif()

# corvax_backend_sources(<variable> <folder> <backend>... [PATTERN <glob>])
# Appends to <variable> the files matching <glob> (*.cpp by default) in <folder>/<backend>/ for
# each back end. A back end without such files is a mistake in the caller, except for tests,
# whose back-end folders may hold nothing to run (PATTERN given).
function(corvax_backend_sources variable folder)
  cmake_parse_arguments(ARG "" "PATTERN" "" ${ARGN})
  set(pattern ${ARG_PATTERN})
  if(NOT pattern)
    set(pattern *.cpp)
  endif()
  set(found_all ${${variable}})
  foreach(backend IN LISTS ARG_UNPARSED_ARGUMENTS)
    file(GLOB found CONFIGURE_DEPENDS ${folder}/${backend}/${pattern})
    if(NOT found AND NOT ARG_PATTERN)
      message(FATAL_ERROR "corvax: no sources in back end folder ${folder}/${backend}")
    endif()
    list(APPEND found_all ${found})
  endforeach()
  set(${variable} ${found_all} PARENT_SCOPE)
endfunction()

# corvax_module(NAME SOURCES ... [BACKENDS backend...] [DEPENDS module...] [PUBLIC_LIBS lib...]
#               [PRIVATE_LIBS lib...])
# Declares library corvax_<NAME> from the portable sources in <NAME>/src and those of each
# back end in <NAME>/src/<backend>/, with public headers in <NAME>/include; installs it and adds
# it to the framework target. Back ends include the module's internal headers from src/.
function(corvax_module name)
  cmake_parse_arguments(ARG "" "" "SOURCES;BACKENDS;DEPENDS;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  set(sources ${ARG_SOURCES})
  corvax_backend_sources(sources ${CMAKE_CURRENT_SOURCE_DIR}/src ${ARG_BACKENDS})
  add_library(corvax_${name} STATIC ${sources})
  add_library(corvax::${name} ALIAS corvax_${name})
  target_include_directories(corvax_${name} PUBLIC
    $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/include>
    $<INSTALL_INTERFACE:include>)
  target_include_directories(corvax_${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src)
  foreach(dep IN LISTS ARG_DEPENDS)
    target_link_libraries(corvax_${name} PUBLIC corvax_${dep})
  endforeach()
  target_link_libraries(corvax_${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
  if(CORVAX_SANITIZE)
    # Programs linking a sanitized archive need the sanitizer runtimes too, installed ones included.
    target_link_options(corvax_${name} INTERFACE -fsanitize=address,undefined)
  endif()
  set_target_properties(corvax_${name} PROPERTIES EXPORT_NAME ${name})
  install(TARGETS corvax_${name} EXPORT corvaxTargets ARCHIVE DESTINATION lib LIBRARY DESTINATION lib)
  install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/include/ DESTINATION include)
  set_property(GLOBAL APPEND PROPERTY CORVAX_LIBRARIES corvax_${name})
endfunction()

# corvax_test(NAME SOURCES ... LIBS ... [LABELS ...] [ENV VAR=VALUE ...] [SERIAL]
#             [WEB_EXCLUDE Suite.Case ...])
# One GoogleTest executable whose cases CTest runs one by one. SERIAL cases run while no other
# test runs (they take the whole display, say). In the browser build the whole executable is
# one CTest test, run in headless Chromium, without the WEB_EXCLUDE cases (patterns as
# --gtest_filter takes them; README says why each is left out).
function(corvax_test name)
  if(NOT CORVAX_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "SERIAL" "" "SOURCES;LIBS;LABELS;ENV;WEB_EXCLUDE" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set(test_main GTest::gtest_main)
  if(EMSCRIPTEN)
    set(test_main corvax_web_test_main)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest ${test_main})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set(properties)
  if(ARG_LABELS)
    list(APPEND properties LABELS "${ARG_LABELS}")
  endif()
  if(ARG_ENV)
    list(APPEND properties ENVIRONMENT "${ARG_ENV}")
  endif()
  if(ARG_SERIAL)
    list(APPEND properties RUN_SERIAL TRUE)
  endif()
  if(EMSCRIPTEN)
    corvax_web_test(${name} LABELS ${ARG_LABELS} ENV ${ARG_ENV} EXCLUDE ${ARG_WEB_EXCLUDE}
      SERIAL ${ARG_SERIAL})
    return()
  endif()
  # Under Wine a program's first start can take many seconds.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests
    PROPERTIES ${properties})
endfunction()

# corvax_find_package(Name [find_package arguments...])
# A module's third-party dependency: found now, and found again by the installed package
# config, whose exported targets link it.
macro(corvax_find_package name)
  find_package(${name} REQUIRED ${ARGN})
  set_property(GLOBAL APPEND PROPERTY CORVAX_PACKAGES "${name} ${ARGN}")
endmacro()
