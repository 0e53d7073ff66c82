# libFuzzer targets. A fuzz build (make fuzz) compiles the whole framework with clang and
# coverage instrumentation, so every module a target reaches is explored; libFuzzer supplies
# each target's main.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "CORVAX_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
endif()
add_compile_options(-fsanitize=fuzzer-no-link)
add_custom_target(fuzz-targets)

# corvax_fuzz_target(NAME SOURCES ... LIBS ...)
# build/fuzz/NAME; its seeds live in the module's fuzz/corpus/<NAME without module and _fuzz>.
function(corvax_fuzz_target name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  add_dependencies(fuzz-targets ${name})
endfunction()
