# Warnings are an interface target so that each of our targets opts in and
# third-party code (Qt's generated moc files aside) is left alone.
add_library(quillon_warnings INTERFACE)
target_compile_options(quillon_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
  -Wunused -Woverloaded-virtual -Wnull-dereference -Wformat=2)
if(QUILLON_WERROR)
  target_compile_options(quillon_warnings INTERFACE -Werror)
endif()
