# Installs the build into a scratch prefix, builds the consumer project against it with
# find_package(corvax) and runs it. For a cross build TOOLCHAIN_FILE, WINDOWS_DEPS and EMULATOR
# say how the consumer is configured and run.
file(REMOVE_RECURSE ${WORK_DIR})
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${status}):\n${out}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix)
set(cross_options "")
if(TOOLCHAIN_FILE)
  # The toolchain file searches below its root path only: the scratch prefix joins it there.
  set(cross_options -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN_FILE} -DCORVAX_WINDOWS_DEPS=${WINDOWS_DEPS}
    -DCMAKE_FIND_ROOT_PATH=${WORK_DIR}/prefix)
endif()
run(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/build -G ${GENERATOR}
    -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix ${cross_options})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
if(TOOLCHAIN_FILE)
  run(${EMULATOR} ${WORK_DIR}/build/consumer.exe)
else()
  run(${WORK_DIR}/build/consumer)
endif()
if(NOT output MATCHES "consumer read 5 bytes")
  message(FATAL_ERROR "unexpected consumer output: ${output}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
