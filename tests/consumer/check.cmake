# Installs the build tree into a private prefix, then configures, builds and runs
# a small host project that finds the library with find_package.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
  RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "install failed: ${rc}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/build -G ${GENERATOR}
  -DCMAKE_PREFIX_PATH=${prefix} RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "consumer configure failed: ${rc}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/build RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "consumer build failed: ${rc}")
endif()

execute_process(COMMAND ${WORK_DIR}/build/zt-consumer RESULT_VARIABLE rc
  OUTPUT_VARIABLE out ERROR_VARIABLE err)
message(STATUS "consumer said: ${out}${err}")
if(rc)
  message(FATAL_ERROR "consumer run failed: ${rc}")
endif()
