# The product version, held here alone. The version resources of the
# programs read it from the generated header OrtivoVersion.h; the Windows
# Installer package gets it as its ProductVersion (installer/).
set(ORTIVO_VERSION 3.00)

if(NOT ORTIVO_VERSION MATCHES "^([0-9]+)\\.([0-9]+)$")
  message(FATAL_ERROR "ORTIVO_VERSION must read major.minor, not ${ORTIVO_VERSION}")
endif()
math(EXPR ORTIVO_VERSION_MAJOR "${CMAKE_MATCH_1}")
math(EXPR ORTIVO_VERSION_MINOR "${CMAKE_MATCH_2}")

set(ORTIVO_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
file(CONFIGURE OUTPUT ${ORTIVO_GENERATED_DIR}/OrtivoVersion.h @ONLY CONTENT [[
// Generated from cmake/version.cmake; do not edit.
#pragma once
#define ORTIVO_VERSION_TEXT "@ORTIVO_VERSION@"
#define ORTIVO_VERSION_NUMBERS @ORTIVO_VERSION_MAJOR@,@ORTIVO_VERSION_MINOR@,0,0
]])
include_directories(${ORTIVO_GENERATED_DIR})
