# Release signing, off unless asked for: with ORTIVO_SIGN_CERT and
# ORTIVO_SIGN_KEY in the environment of the configure (scripts/build.sh
# configures at every build), every shipped program is signed right after
# it is linked (ortivo_program(), cmake/release.cmake) and the package last,
# once it is made (installer/), all by scripts/sign.sh. The values go into
# the build's commands, so that turning signing on or off makes and signs
# the files again, as does a changed certificate, key, PKCS#11 module or
# passphrase file. A key on a token or HSM is no file: ORTIVO_SIGN_KEY is
# then its pkcs11: URI and ORTIVO_SIGN_PKCS11_MODULE the token's module.
#
# ORTIVO_SIGN: the command that signs the files given to it, empty when the
# release is not signed; ORTIVO_SIGN_FILES: the files it reads.
set(ORTIVO_SIGN "")
set(ORTIVO_SIGN_FILES "")
if(NOT ORTIVO_WINDOWS OR ("$ENV{ORTIVO_SIGN_CERT}" STREQUAL "" AND "$ENV{ORTIVO_SIGN_KEY}" STREQUAL ""))
  return()
endif()
if("$ENV{ORTIVO_SIGN_CERT}" STREQUAL "" OR "$ENV{ORTIVO_SIGN_KEY}" STREQUAL "")
  message(FATAL_ERROR "Signing needs both ORTIVO_SIGN_CERT and ORTIVO_SIGN_KEY")
endif()
string(REGEX MATCH "^pkcs11:" key_on_token "$ENV{ORTIVO_SIGN_KEY}")
if(key_on_token STREQUAL "" AND NOT "$ENV{ORTIVO_SIGN_PKCS11_MODULE}" STREQUAL "")
  message(FATAL_ERROR "ORTIVO_SIGN_PKCS11_MODULE needs ORTIVO_SIGN_KEY as the pkcs11: URI of the key on the token")
elseif(NOT key_on_token STREQUAL "" AND "$ENV{ORTIVO_SIGN_PKCS11_MODULE}" STREQUAL "")
  message(FATAL_ERROR "A pkcs11: ORTIVO_SIGN_KEY needs ORTIVO_SIGN_PKCS11_MODULE, the token's PKCS#11 module")
endif()
if("$ENV{ORTIVO_SIGN_TIMESTAMP_URL}" STREQUAL "")
  message(NOTICE "Signing without a timestamp (no ORTIVO_SIGN_TIMESTAMP_URL): the signatures end when the certificate expires")
endif()

set(ORTIVO_SIGN ${CMAKE_COMMAND} -E env)
foreach(variable ORTIVO_SIGN_CERT ORTIVO_SIGN_KEY ORTIVO_SIGN_PKCS11_MODULE ORTIVO_SIGN_PASS_FILE
                 ORTIVO_SIGN_URL ORTIVO_SIGN_TIMESTAMP_URL)
  set(value "$ENV{${variable}}")
  if(value STREQUAL "")
    continue()
  endif()
  if(NOT variable MATCHES "_URL$" AND NOT (variable STREQUAL "ORTIVO_SIGN_KEY" AND key_on_token))
    # A file, named from where the build was started; the commands run in the build folder.
    file(REAL_PATH "${value}" value BASE_DIRECTORY "$ENV{PWD}")
    if(NOT EXISTS "${value}")
      message(FATAL_ERROR "${variable}: there is no file ${value}")
    endif()
    list(APPEND ORTIVO_SIGN_FILES "${value}")
  endif()
  # A pkcs11: URI separates its attributes with ';', which would split the list.
  string(REPLACE ";" "$<SEMICOLON>" value "${value}")
  list(APPEND ORTIVO_SIGN "${variable}=${value}")
endforeach()
list(APPEND ORTIVO_SIGN ${CMAKE_SOURCE_DIR}/scripts/sign.sh)
