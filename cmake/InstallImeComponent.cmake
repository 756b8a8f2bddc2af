# Writes the input method's IBus component file at install time, naming
# zentrel-ime where this install puts it. Set before it runs:
# ZENTREL_IME_PROGRAM (the built program), ZENTREL_IBUS_COMPONENT_DIR and
# ZENTREL_INSTALL_HELPERDIR.
set(component_dir "$ENV{DESTDIR}${ZENTREL_IBUS_COMPONENT_DIR}")
set(component "${component_dir}/zentrel.xml")
message(STATUS "Installing: ${component}")
file(MAKE_DIRECTORY "${component_dir}")
execute_process(COMMAND "${ZENTREL_IME_PROGRAM}" --xml "${CMAKE_INSTALL_PREFIX}/${ZENTREL_INSTALL_HELPERDIR}/zentrel-ime"
                OUTPUT_FILE "${component}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${ZENTREL_IME_PROGRAM} --xml failed: ${status}")
endif()
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${component}")
