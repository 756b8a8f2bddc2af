# Runs `PROGRAM help` and writes what it prints to OUTPUT as a C++ string literal.
execute_process(COMMAND "${PROGRAM}" help OUTPUT_VARIABLE text RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} help failed: ${status}")
endif()
file(WRITE "${OUTPUT}" "R\"zentrel-help(${text})zentrel-help\"\n")
