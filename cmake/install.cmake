install(TARGETS qel_morvak RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/docs/qel_morvak.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/examples/template.txt
  DESTINATION ${CMAKE_INSTALL_DATADIR}/qel_morvak/examples)

# Packages: `cpack` in the build folder makes a .tar.gz of the installed tree
# and a .deb that installs it under /usr.
set(QEL_MORVAK_PACKAGE_CONTACT "qel_morvak maintainers <maintainers@qel-morvak.invalid>"
  CACHE STRING "Maintainer named in the packages")

if(WIN32)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR TGZ DEB)
endif()
set(CPACK_PACKAGE_NAME qel_morvak)
set(CPACK_PACKAGE_VENDOR "qel_morvak maintainers")
set(CPACK_PACKAGE_CONTACT "${QEL_MORVAK_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "example solver: a two-variable test function and its gradient")
set(CPACK_PACKAGE_DESCRIPTION "qel_morvak reads a point (X1, X2) from a short script, evaluates the
two-variable ZDT1 test function and its 2x2 gradient there, and prints
them in a fixed scientific format with three exponent digits. It serves
as a black-box example for optimisation and design-exploration tools.")
set(CPACK_STRIP_FILES ON)

# Debian package names allow no underscore.
set(CPACK_DEBIAN_PACKAGE_NAME qel-morvak)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QEL_MORVAK_PACKAGE_CONTACT}")
# dpkg names the build machine's architecture; a cross build names its target.
if(CMAKE_CROSSCOMPILING)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64)$")
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)
  elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^i[3-6]86$")
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE i386)
  elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|amd64)$")
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
  endif()
endif()
# A static executable depends on no shared library; a dynamic one gets its
# dependencies from dpkg-shlibdeps.
if(QEL_MORVAK_STATIC)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
else()
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()

include(CPack)
