# The shipped programs in their release form: every function and datum in
# a section of its own, so that the linker drops what nothing uses, and no
# symbols in the executable. Still linked statically (CMakeLists.txt).
if(ORTIVO_WINDOWS)
  add_compile_options(-ffunction-sections -fdata-sections)
endif()

# ortivo_program(TARGET): links TARGET as a shipped program.
function(ortivo_program target)
  target_link_options(${target} PRIVATE -municode -s -Wl,--gc-sections)
endfunction()
