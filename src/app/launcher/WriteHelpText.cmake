# Runs `PROGRAM help` in each language of the catalogs and writes what it
# prints to OUTPUT as C++ initializers: {"en", R"(...)"}, {"vi", R"(...)"}.
set(content "")
foreach(entry "en;C" "vi;vi_VN.UTF-8")
  list(GET entry 0 language)
  list(GET entry 1 locale)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env --unset=LC_MESSAGES --unset=LANG "LC_ALL=${locale}"
                          "LANGUAGE=${language}" "${PROGRAM}" help
                  OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} help failed: ${status}")
  endif()
  string(APPEND content "{\"${language}\", R\"zentrel-help(${text})zentrel-help\"},\n")
endforeach()
file(WRITE "${OUTPUT}" "${content}")
