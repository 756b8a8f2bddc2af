# One library per source folder. Sources are picked up from the folder so that
# adding a file never needs a CMake edit; dependencies are declared here.

set(ZENTREL_WARNINGS -Wall -Wextra -Wpedantic -Wno-missing-field-initializers)
# Warnings stop the build only where someone asked for it (CI, developers):
# a user's build of a release never fails on a newer compiler's warning.
if(ZENTREL_WARNINGS_AS_ERRORS)
  list(APPEND ZENTREL_WARNINGS -Werror)
endif()

# zentrel_module(<target> DIR <folder> [DEPS <targets...>] [EXCLUDE <regex>])
function(zentrel_module target)
  cmake_parse_arguments(ARG "" "DIR;EXCLUDE" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${ARG_DIR}/*.cpp")
  if(ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${ARG_EXCLUDE}")
  endif()
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}/src")
    target_compile_options(${target} PRIVATE ${ZENTREL_WARNINGS})
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# zentrel_program(<target> SOURCES <files...> [DEPS <targets...>])
function(zentrel_program target)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_compile_options(${target} PRIVATE ${ZENTREL_WARNINGS})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS})
endfunction()

# zentrel_test_suite(<name> DIR <folder> [DEPS <targets...>] [EXCLUDE <regex>]):
# one test program per folder of tests/, each test registered with CTest.
function(zentrel_test_suite name)
  cmake_parse_arguments(ARG "" "DIR;EXCLUDE" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${ARG_DIR}/*.cpp")
  if(ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${ARG_EXCLUDE}")
  endif()
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_compile_options(${name} PRIVATE ${ZENTREL_WARNINGS})
  target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}/tests")
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} zentrel_test_doubles GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()
