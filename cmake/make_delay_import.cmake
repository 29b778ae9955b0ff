# Script mode: makes a delay-import library from an import library.
#   cmake -DNM=... -DDLLTOOL=... -DIMPORT_LIB=lib<name>.a -DOUT=lib<name>_delay.a -P make_delay_import.cmake
execute_process(COMMAND ${DLLTOOL} --identify ${IMPORT_LIB} OUTPUT_VARIABLE dll OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "no DLL name in ${IMPORT_LIB}")
endif()
execute_process(COMMAND ${NM} -g ${IMPORT_LIB} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot list ${IMPORT_LIB}")
endif()
# Every imported function appears as "__imp_<name>".
string(REGEX MATCHALL " I __imp_[A-Za-z0-9_@?$]+" entries "${symbols}")
set(def "LIBRARY \"${dll}\"\nEXPORTS\n")
foreach(entry ${entries})
  string(REPLACE " I __imp_" "" name "${entry}")
  string(APPEND def "  ${name}\n")
endforeach()
set(def_file ${OUT}.def)
file(WRITE ${def_file} "${def}")
execute_process(COMMAND ${DLLTOOL} --input-def ${def_file} --dllname ${dll} --output-delaylib ${OUT}
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "dlltool failed for ${dll}")
endif()
