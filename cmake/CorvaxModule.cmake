# corvax_module(NAME SOURCES ... [DEPENDS module...] [PRIVATE_LIBS lib...])
# Declares library corvax_<NAME> from <NAME>/src with public headers in <NAME>/include,
# installs it and adds it to the framework target.
function(corvax_module name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  add_library(corvax_${name} STATIC ${ARG_SOURCES})
  add_library(corvax::${name} ALIAS corvax_${name})
  target_include_directories(corvax_${name} PUBLIC
    $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/include>
    $<INSTALL_INTERFACE:include>)
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
  if(WIN32 OR EMSCRIPTEN)
    # Test files written against POSIX alone (*_posix_test.cpp and CORVAX_POSIX_ONLY_TESTS)
    # stay out: a web page has no signals, child processes or users either.
    get_property(posix_only GLOBAL PROPERTY CORVAX_POSIX_ONLY_TESTS)
    foreach(source IN LISTS posix_only)
      list(FILTER ARG_SOURCES EXCLUDE REGEX "(^|/)${source}$")
    endforeach()
    list(FILTER ARG_SOURCES EXCLUDE REGEX "_posix_test\\.cpp$")
    if(NOT ARG_SOURCES)
      return()
    endif()
  endif()
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

# corvax_platform_sources(list-variable)
# Platform code sits beside the portable code, one file per platform: *_posix.cpp and
# *_windows.cpp. Keeps the files of the platform being built for and drops the others.
function(corvax_platform_sources variable)
  if(WIN32)
    list(FILTER ${variable} EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER ${variable} EXCLUDE REGEX "_windows\\.cpp$")
  endif()
  set(${variable} ${${variable}} PARENT_SCOPE)
endfunction()
