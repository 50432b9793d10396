# The Debian package: `cpack -G DEB` in a build folder packs what
# `cmake --install` puts under /usr. The library dependencies come from
# dpkg-shlibdeps; nothing needs maintainer scripts (udev notices new rules by
# itself, and the desktop and icon caches are refreshed by their own triggers).

set(QUILLON_MAINTAINER "Quillon developers <quillon@example.org>")
set(QUILLON_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/quillon)

# Debian wants a copyright file and a compressed change log in the package's
# documentation folder.
execute_process(COMMAND date -u -R -d "${QUILLON_RELEASE_DATE}"
  OUTPUT_VARIABLE QUILLON_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
  COMMAND_ERROR_IS_FATAL ANY)
set(changelog ${CMAKE_CURRENT_BINARY_DIR}/debian/changelog)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in ${changelog} @ONLY)
add_custom_command(OUTPUT ${changelog}.gz
  COMMAND ${QUILLON_GZIP} -9nkf ${changelog}
  DEPENDS ${changelog}
  VERBATIM)
add_custom_target(quillon_changelog ALL DEPENDS ${changelog}.gz)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright DESTINATION ${QUILLON_DOCDIR})
install(FILES ${changelog}.gz DESTINATION ${QUILLON_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillon)
set(CPACK_PACKAGE_VENDOR Vorn)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${QUILLON_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "clone programmer for land-mobile radios")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Quillon(dPMR) reads the whole memory of a land-mobile two-way radio over a\n"
  "serial cable or a TCP/IP bridge, lets a technician edit every setting in\n"
  "spreadsheet-like sheets, saves and loads clone files, checks the settings\n"
  "for errors and writes the memory back.\n"
  "\n"
  "The package holds the desktop program, the command-line tool quillon-cli\n"
  "for scripts, a virtual radio for trying it without hardware, and a udev\n"
  "rule that lets the group dialout use the USB serial programming cables.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QUILLON_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
