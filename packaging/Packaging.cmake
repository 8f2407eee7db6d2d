# Installing and the packages, from one build.
# - The portable folder (component `portable`): the program and the sample bot
#   files side by side, since without an argument the program edits the KDX.cfg
#   beside it. `cmake --install <build> --prefix <bot folder>`, or `cpack` in the
#   build folder for VEVaduDori-<version>-<system>.tar.gz (.zip on Windows),
#   which holds the same files at its top level.
# - On Linux the Debian packages `vevadudori` and `kdxcfg`, installed below
#   /usr (Debian.cmake): `cpack -G DEB`. A plain `cmake --install` leaves them out.

install(TARGETS VEVaduDori RUNTIME DESTINATION . COMPONENT portable)

# A sample file goes in only where the folder has none of that name: installing
# into a bot's folder keeps the admin's KDX.cfg, batch files and language files.
install(CODE "set(VEVADUDORI_SAMPLE \"${KDX_SAMPLE_FOLDER}\")" COMPONENT portable)
install(CODE [[
  set(destination "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  file(GLOB_RECURSE samples RELATIVE "${VEVADUDORI_SAMPLE}" "${VEVADUDORI_SAMPLE}/*")
  foreach(sample IN LISTS samples)
    if(EXISTS "${destination}/${sample}")
      message(STATUS "Kept: ${destination}/${sample}")
    else()
      get_filename_component(folder "${destination}/${sample}" DIRECTORY)
      file(INSTALL "${VEVADUDORI_SAMPLE}/${sample}" DESTINATION "${folder}" USE_SOURCE_PERMISSIONS)
    endif()
  endforeach()
]] COMPONENT portable)

if(UNIX AND NOT APPLE)
  # The desktop entry and its icon, for the admin to register (see docs/INSTALL.md).
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/vevadudori.desktop ${CMAKE_CURRENT_LIST_DIR}/vevadudori.svg
          DESTINATION desktop COMPONENT portable)
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
# Flat: unpacked into the bot's folder, the files land beside its KDX.cfg.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_SOURCE_GENERATOR "")
# Which components each generator packs, read when cpack runs.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackGenerators.cmake)
include(CPack)
