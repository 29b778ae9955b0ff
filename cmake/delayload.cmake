# Delay-loaded system libraries: a DLL that only a switch or the wizard
# needs is loaded when one of its functions is first called, not at every
# start. The delay-import library is made by dlltool from the exports of
# the toolchain's import library (cmake/make_delay_import.cmake); mingw-w64's
# runtime brings the loader helper (__delayLoadHelper2).
#
#   ortivo_delay_load(<target> <library>...)     e.g. wininet winspool
function(ortivo_delay_load target)
  foreach(name ${ARGN})
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=lib${name}.a
                    OUTPUT_VARIABLE import_lib OUTPUT_STRIP_TRAILING_WHITESPACE)
    set(delay_lib ${CMAKE_BINARY_DIR}/delayload/lib${name}_delay.a)
    add_custom_command(
      OUTPUT ${delay_lib}
      COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DDLLTOOL=${CMAKE_DLLTOOL} -DIMPORT_LIB=${import_lib}
              -DOUT=${delay_lib} -P ${CMAKE_SOURCE_DIR}/cmake/make_delay_import.cmake
      DEPENDS ${import_lib} ${CMAKE_SOURCE_DIR}/cmake/make_delay_import.cmake
      COMMENT "Delay-import library for ${name}")
    add_custom_target(${target}_delay_${name} DEPENDS ${delay_lib})
    add_dependencies(${target} ${target}_delay_${name})
    # Ahead of the normal import libraries, so that its entries are the ones taken.
    target_link_libraries(${target} PRIVATE ${delay_lib})
  endforeach()
endfunction()
