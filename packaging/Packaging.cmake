# Installing and the packages, from one build.
# - The portable folder (component `portable`): the program, to lie in a bot's
#   folder, where without an argument it edits the KDX.cfg beside it, and the
#   sample bot files in the subfolder sample/, so that neither installing nor
#   unpacking into a bot's folder replaces a file of the bot's.
#   `cmake --install <build> --prefix <bot folder>`, or `cpack` in the build
#   folder for VEVaduDori-<version>-<system>.tar.gz (.zip on Windows), which
#   holds the same files. licenses/ holds the licence texts.
# - The source archive VEVaduDori-<version>-Source.tar.gz (below).
# - On Linux the Debian packages `vevadudori` and `kdxcfg`, installed below
#   /usr (Debian.cmake): `cpack -G DEB`. A plain `cmake --install` leaves them out.

if(TARGET VEVaduDori)
  install(TARGETS VEVaduDori RUNTIME DESTINATION . COMPONENT portable)
endif()
install(DIRECTORY ${KDX_SAMPLE_FOLDER}/ DESTINATION sample USE_SOURCE_PERMISSIONS COMPONENT portable)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION licenses RENAME VEVaduDori.txt COMPONENT portable)

if(UNIX AND NOT APPLE AND TARGET VEVaduDori)
  # The desktop entry and its icon, for the admin to register (see docs/INSTALL.md).
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/vevadudori.desktop ${CMAKE_CURRENT_LIST_DIR}/vevadudori.svg
          DESTINATION desktop COMPONENT portable)
endif()
if(UNIX AND NOT APPLE)
  include(${CMAKE_CURRENT_LIST_DIR}/Debian.cmake)
endif()

if(WIN32)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR TGZ)
endif()
set(CPACK_PACKAGE_NAME VEVaduDori)
set(CPACK_PACKAGE_VENDOR VEVaduDori)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_FILE_NAME "VEVaduDori-${PROJECT_VERSION}-${CMAKE_SYSTEM_NAME}")
# No folder of its own: unpacked into the bot's folder, the program lands beside its KDX.cfg.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# The source archive, `cpack --config CPackSourceConfig.cmake`: the tree
# without git's data and without what .gitignore names (the build folders that
# may live in it).
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_PACKAGE_FILE_NAME "VEVaduDori-${PROJECT_VERSION}-Source")
set(CPACK_SOURCE_IGNORE_FILES "/\\.git/" "/\\.git$")
file(STRINGS ${PROJECT_SOURCE_DIR}/.gitignore ignored_patterns REGEX "^[^#!]")
string(REGEX REPLACE "([][.+*?^$()|{}\\])" "\\\\\\1" source_dir_regex "${PROJECT_SOURCE_DIR}")
foreach(pattern IN LISTS ignored_patterns)
  # A .gitignore pattern as a regular expression over full paths: a leading /
  # anchors it at the top, a trailing / names a folder, * stays within a name.
  string(REGEX REPLACE "([.+^$()|{}])" "\\\\\\1" regex "${pattern}")
  string(REPLACE "*" "[^/]*" regex "${regex}")
  string(REPLACE "?" "[^/]" regex "${regex}")
  if(regex MATCHES "^/")
    set(regex "^${source_dir_regex}${regex}")
  else()
    set(regex "/${regex}")
  endif()
  if(NOT regex MATCHES "/$")
    string(APPEND regex "(/|$)")
  endif()
  list(APPEND CPACK_SOURCE_IGNORE_FILES "${regex}")
endforeach()
# CPack writes the variables into its configuration files as they are here.
set(CPACK_VERBATIM_VARIABLES ON)
# Which components each generator packs, read when cpack runs.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackGenerators.cmake)
include(CPack)
