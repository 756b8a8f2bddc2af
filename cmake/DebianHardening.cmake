# Debian's hardening flags, as dpkg-buildflags gives them with every hardening
# feature on: fortified functions and format checks (CPPFLAGS), the stack
# protector (from CXXFLAGS; its optimisation and debug flags are the build
# type's), and a read-only relocation table bound at start (LDFLAGS). Applied
# to optimised builds without sanitizers; fortification needs optimisation.

option(ZENTREL_HARDENING "Build with Debian's hardening flags (optimised builds)" ON)
find_program(DPKG_BUILDFLAGS dpkg-buildflags)

string(TOUPPER "${CMAKE_BUILD_TYPE}" build_type)
if(ZENTREL_HARDENING AND DPKG_BUILDFLAGS AND NOT ZENTREL_SANITIZE AND NOT ZENTREL_FUZZ
   AND build_type MATCHES "^(RELEASE|RELWITHDEBINFO|MINSIZEREL)$")
  set(hardening_flags)
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                            "${DPKG_BUILDFLAGS}" --get ${kind}
                    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    set(hardening_${kind})
    foreach(flag IN LISTS flags)
      if(kind STREQUAL CXXFLAGS AND NOT flag MATCHES "^-f(stack-protector|stack-clash-protection|cf-protection)|^-W(error=)?format")
        continue()
      endif()
      list(APPEND hardening_${kind} "${flag}")
    endforeach()
  endforeach()
  add_compile_options(${hardening_CPPFLAGS} ${hardening_CXXFLAGS})
  add_link_options(${hardening_LDFLAGS})
  message(STATUS "Hardening: ${hardening_CPPFLAGS} ${hardening_CXXFLAGS} ${hardening_LDFLAGS}")
endif()
