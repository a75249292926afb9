# Shared build helpers: warnings, sanitizers, tests, benchmarks.

function(zt_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter)
endfunction()

macro(zt_apply_sanitizers)
  if(ZT_SANITIZE)
    set(_zt_san "")
    foreach(s IN LISTS ZT_SANITIZE)
      if(NOT s MATCHES "^(address|undefined|thread)$")
        message(FATAL_ERROR "ZT_SANITIZE: unknown sanitizer '${s}'")
      endif()
      list(APPEND _zt_san ${s})
    endforeach()
    list(JOIN _zt_san "," _zt_san_flags)
    add_compile_options(-fsanitize=${_zt_san_flags} -fno-omit-frame-pointer)
    add_link_options(-fsanitize=${_zt_san_flags})
    # Undefined behaviour stops the test instead of scrolling past in its output.
    if("undefined" IN_LIST _zt_san)
      add_compile_options(-fno-sanitize-recover=undefined)
    endif()
    message(STATUS "Sanitizers: ${_zt_san_flags}")
  endif()
endmacro()

# Installs the public headers of a target, keeping the folder under include/ZtControlLib/.
function(zt_install_headers folder)
  file(GLOB _headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  install(FILES ${_headers} DESTINATION ${ZT_INCLUDE_INSTALL_DIR}/${folder})
endfunction()

# Per-test private folders so nothing writes into the real home or /tmp/runtime-*.
function(zt_test_environment name out)
  set(_home ${PROJECT_BINARY_DIR}/test-home/${name})
  file(MAKE_DIRECTORY ${_home}/runtime)
  file(CHMOD ${_home}/runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  set(_env
    QT_QPA_PLATFORM=offscreen
    HOME=${_home}
    XDG_RUNTIME_DIR=${_home}/runtime
    XDG_CONFIG_HOME=${_home}/config
    XDG_DATA_HOME=${_home}/data
    XDG_CACHE_HOME=${_home}/cache
    QT_QUICK_BACKEND=software
    QTWEBENGINE_DISABLE_SANDBOX=1
    LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan.supp
    TSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/tsan.supp
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1)
  set(${out} "${_env}" PARENT_SCOPE)
endfunction()

# zt_add_test(NAME tst_x SOURCES a.cpp [LIBS ...] [LABELS ...] [TIMEOUT s] [ENV ...])
function(zt_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS;ENV" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE Qt5::Test ZtTestSupport ${T_LIBS})
  zt_warnings(${T_NAME})
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  zt_test_environment(${T_NAME} _env)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "${_env};${T_ENV}"
    LABELS "${T_LABELS}"
    TIMEOUT ${T_TIMEOUT})
endfunction()

# Every tests/<folder>/tst_*.cpp becomes one test executable linking the whole library.
# A folder with its own CMakeLists.txt registers its tests itself.
function(zt_add_test_folder folder)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/CMakeLists.txt)
    add_subdirectory(${folder})
    return()
  endif()
  file(GLOB _tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/tst_*.cpp)
  foreach(src IN LISTS _tests)
    get_filename_component(_name ${src} NAME_WE)
    zt_add_test(NAME ${_name} SOURCES ${src} LIBS ZtControlLib LABELS ${folder})
  endforeach()
endfunction()
