# The shipped programs in their release form: every function and datum in
# a section of its own, so that the linker drops what nothing uses, and no
# symbols in the executable. Still linked statically (CMakeLists.txt).
# Signed right after linking when the release is signed (cmake/signing.cmake).
if(ORTIVO_WINDOWS)
  add_compile_options(-ffunction-sections -fdata-sections)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/signing.cmake)

# ortivo_program(TARGET): links TARGET as a shipped program.
function(ortivo_program target)
  target_link_options(${target} PRIVATE -municode -s -Wl,--gc-sections)
  if(ORTIVO_SIGN)
    add_custom_command(TARGET ${target} POST_BUILD COMMAND ${ORTIVO_SIGN} $<TARGET_FILE:${target}> VERBATIM)
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${ORTIVO_SIGN_FILES})
  endif()
endfunction()
