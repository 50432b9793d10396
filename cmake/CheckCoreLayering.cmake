# The core must stay usable without a display: it may never link QtWidgets
# (or anything built on it). Fail the configure step the moment it does.
function(quillon_check_no_widgets target)
  get_target_property(libs ${target} LINK_LIBRARIES)
  get_target_property(ilibs ${target} INTERFACE_LINK_LIBRARIES)
  foreach(lib IN LISTS libs ilibs)
    if(lib MATCHES "Widgets|PrintSupport|quillon_ui")
      message(FATAL_ERROR "${target} links ${lib}; the core must never depend on QtWidgets")
    endif()
  endforeach()
endfunction()
quillon_check_no_widgets(quillon_core)
