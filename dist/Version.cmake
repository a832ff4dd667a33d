# One release number for everything that shows one: the project's VERSION. The about box and
# the commands read it from a generated header; the package takes it from CPack; the change log,
# the AppStream releases and the manual pages must name it too, or the build stops here.
configure_file(${CMAKE_SOURCE_DIR}/dist/Version.h.in ${CMAKE_BINARY_DIR}/generated/zorva/Version.h @ONLY)
add_library(zorva_version INTERFACE)
target_include_directories(zorva_version INTERFACE ${CMAKE_BINARY_DIR}/generated)

file(STRINGS ${CMAKE_SOURCE_DIR}/dist/changelog changelog_top LIMIT_COUNT 1)
string(REGEX MATCH "^zorva \\(([^)]+)\\)" _ "${changelog_top}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "dist/changelog begins with release '${CMAKE_MATCH_1}', the project is ${PROJECT_VERSION}")
endif()
file(READ ${CMAKE_SOURCE_DIR}/dist/org.zorva.Zorva.metainfo.xml metainfo)
string(REGEX MATCH "<release version=\"([^\"]+)\"" _ "${metainfo}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "the AppStream metadata's newest release is '${CMAKE_MATCH_1}', the project is ${PROJECT_VERSION}")
endif()
