# Source lists by convention, so that each subsystem owns its files:
#   <subsystem>/*.cpp       portable code (no windows.h), built everywhere
#   <subsystem>/win/*.cpp   Win32 code, Windows build only
#   entry_*.cpp             program entry points, never in a library
set(ORTIVO_SUBSYSTEMS framework profile switching applier service system app mainwindow wizard controls editor)

function(ortivo_glob out pattern)
  set(result)
  foreach(dir ${ORTIVO_SUBSYSTEMS})
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/${pattern})
    list(APPEND result ${found})
  endforeach()
  list(FILTER result EXCLUDE REGEX "/entry_[^/]*$")
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# System libraries the Win32 code links against.
set(ORTIVO_WIN32_LIBS
    comctl32 shell32 ole32 oleaut32 uuid advapi32 user32 gdi32 comdlg32
    wininet iphlpapi ws2_32 wbemuuid propsys shlwapi winspool version)
