# The Debian package (make package, or cpack -G DEB in the build folder):
# everything `cmake --install` puts under the prefix, installed under /usr,
# with the shared libraries' packages as dependencies.

set(REGSMITH_MAINTAINER "Regsmith Developers <developers@regsmith.invalid>"
    CACHE STRING "Maintainer named in the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME regsmith)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Regsmith")
set(CPACK_PACKAGE_CONTACT ${REGSMITH_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "configuration tool for QK74x_75x microcontrollers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${REGSMITH_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The long description; CPack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Regsmith configures the on-chip peripherals of the twelve 8051-compatible
QK74x_75x microcontrollers (QK740 to QK757) in property sheets, in the data
sheet's own terms, and writes their initialisation source in C or 8051
assembly.

The package holds the desktop program (regsmith), with undo, crash recovery
and desktop integration for .rsg project files, and the command-line tool
(regsmith-cli) with a script mode for use without a display.")
# The libraries' packages, as dpkg-shlibdeps finds them from the programs...
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# ...plus what the programs load at run time: Qt's platform plug-ins (the
# window system's connection) and the code window's fixed font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")

include(CPack)
