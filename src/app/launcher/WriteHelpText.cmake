# Runs `PROGRAM help` in each of LANGUAGES (po/LINGUAS, English first, by commas) and
# writes what it prints to OUTPUT as C++ initializers: {"en", R"(...)"}, {"vi", R"(...)"}.
set(content "")
string(REPLACE "," ";" LANGUAGES "${LANGUAGES}")
foreach(language IN LISTS LANGUAGES)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env --unset=LC_MESSAGES --unset=LANG "LC_ALL=${language}"
                          "LANGUAGE=${language}" "${PROGRAM}" help
                  OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} help failed: ${status}")
  endif()
  string(APPEND content "{\"${language}\", R\"zentrel-help(${text})zentrel-help\"},\n")
endforeach()
file(WRITE "${OUTPUT}" "${content}")
