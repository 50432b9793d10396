add_library(quillon_sanitizers INTERFACE)
if(QUILLON_SANITIZE)
  target_compile_options(quillon_sanitizers INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(quillon_sanitizers INTERFACE -fsanitize=address,undefined)
endif()

# Fuzz targets need the code under test instrumented for coverage too.
if(QUILLON_BUILD_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "The fuzz targets need clang (libFuzzer)")
  endif()
  target_compile_options(quillon_sanitizers INTERFACE -fsanitize=fuzzer-no-link)
endif()
