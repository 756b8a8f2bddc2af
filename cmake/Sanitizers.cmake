# ZENTREL_SANITIZE=ON builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer; any finding stops the program.
# ZENTREL_FUZZ=ON (with clang) adds libFuzzer's coverage to everything and
# builds the fuzz targets of fuzz/, sanitized as well.
option(ZENTREL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(ZENTREL_FUZZ "Build the fuzz targets (needs clang and its libFuzzer)" OFF)

if(ZENTREL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "The fuzz targets need clang: configure with CC=clang CXX=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(ZENTREL_SANITIZE OR ZENTREL_FUZZ)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  # The sanitizers' instrumentation makes GCC's flow analysis report code it
  # cannot see through (<regex> and <functional> among it): these stay
  # warnings here; the unsanitized build still stops on them.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-Wno-error=maybe-uninitialized -Wno-error=stringop-overflow -Wno-error=array-bounds)
  endif()
endif()
