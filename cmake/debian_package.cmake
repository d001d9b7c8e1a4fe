# `cpack -G DEB` in the build folder: meshwright_VERSION_ARCH.deb with everything `cmake --install`
# installs, under /usr.
set(CPACK_PACKAGE_NAME meshwright)
set(CPACK_PACKAGE_VENDOR "Meshwright contributors")
set(CPACK_PACKAGE_CONTACT "Meshwright contributors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Turns the mesh of an ASE (ASCII Scene Export) file into C++ code that draws it with\n"
  "OpenGL, from a console dialogue or the command line. Includes a CMake package\n"
  "(find_package(Meshwright)) that generates the code at build time.")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Debug information stays in the build folder; the package gets the lean tool.
set(CPACK_STRIP_FILES ON)
# The libraries the tool links are found by dpkg-shlibdeps, so the list of dependencies follows
# the build.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
