# quillon_man_page(<name>.<section>.in): the manual page in roff with the
# project's version and release date filled in, compressed as Debian wants it
# (gzip -9n, so the same page gives the same bytes) and installed in its
# section.
find_program(QUILLON_GZIP gzip REQUIRED)

function(quillon_man_page source)
  get_filename_component(page ${source} NAME_WLE)
  string(REGEX MATCH "[0-9]+$" section ${page})
  set(configured ${CMAKE_CURRENT_BINARY_DIR}/man/${page})
  set(staged ${CMAKE_CURRENT_BINARY_DIR}/man-gz/${page})
  configure_file(${source} ${configured} @ONLY)
  add_custom_command(OUTPUT ${staged}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${configured} ${staged}
    COMMAND ${QUILLON_GZIP} -9nf ${staged}
    DEPENDS ${configured}
    VERBATIM)
  string(MAKE_C_IDENTIFIER "man_${page}" target)
  add_custom_target(${target} ALL DEPENDS ${staged}.gz)
  install(FILES ${staged}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endfunction()
