# What `cmake --install` puts under the prefix: the tool, its manual page, its bash completion,
# and the CMake package through which other builds find it (find_package(Meshwright)).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(MESHWRIGHT_CMAKE_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Meshwright)

install(TARGETS meshwright EXPORT MeshwrightTargets RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES docs/meshwright.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Where bash-completion looks for a command's completion when it is first completed.
install(FILES completion/meshwright.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME meshwright)

install(EXPORT MeshwrightTargets NAMESPACE Meshwright:: DESTINATION ${MESHWRIGHT_CMAKE_PACKAGE_DIR})
configure_package_config_file(cmake/MeshwrightConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/MeshwrightConfig.cmake
  INSTALL_DESTINATION ${MESHWRIGHT_CMAKE_PACKAGE_DIR})
# A tool, not a library: a build of any word size may use it, and a newer minor version keeps
# the options and the output of the ones before.
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/MeshwrightConfigVersion.cmake
  COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/MeshwrightConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/MeshwrightConfigVersion.cmake
              cmake/MeshwrightAddMesh.cmake
        DESTINATION ${MESHWRIGHT_CMAKE_PACKAGE_DIR})
