# JSON for the bulk-edit tool's profile files: Debian's nlohmann-json3-dev,
# header-only. The cross compiler must not see /usr/include (Linux headers
# would shadow mingw-w64's), so only the nlohmann folder is exposed, through
# a link in the build tree: ORTIVO_NLOHMANN_INCLUDE.
find_path(ORTIVO_NLOHMANN_DIR nlohmann/json.hpp PATHS /usr/include
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(ORTIVO_NLOHMANN_INCLUDE ${CMAKE_BINARY_DIR}/thirdparty)
file(MAKE_DIRECTORY ${ORTIVO_NLOHMANN_INCLUDE})
file(CREATE_LINK ${ORTIVO_NLOHMANN_DIR}/nlohmann ${ORTIVO_NLOHMANN_INCLUDE}/nlohmann SYMBOLIC)
