include(CMakePackageConfigHelpers)

set(ZT_CMAKE_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/ZtControlLib)

install(EXPORT ZtControlLibTargets
  NAMESPACE ZtControlLib::
  DESTINATION ${ZT_CMAKE_INSTALL_DIR})

configure_package_config_file(
  ${PROJECT_SOURCE_DIR}/cmake/ZtControlLibConfig.cmake.in
  ${PROJECT_BINARY_DIR}/ZtControlLibConfig.cmake
  INSTALL_DESTINATION ${ZT_CMAKE_INSTALL_DIR})
write_basic_package_version_file(
  ${PROJECT_BINARY_DIR}/ZtControlLibConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${PROJECT_BINARY_DIR}/ZtControlLibConfig.cmake
  ${PROJECT_BINARY_DIR}/ZtControlLibConfigVersion.cmake
  DESTINATION ${ZT_CMAKE_INSTALL_DIR})
