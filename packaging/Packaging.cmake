# Installing and the portable archive. Both put the program and the sample bot
# files side by side in one folder, since the program edits the KDX.cfg beside
# it: `cmake --install <build> --prefix <bot folder>`, or `cpack` in the build
# folder for VEVaduDori-<version>-<system>.tar.gz (.zip on Windows), which holds
# the same files at its top level.

install(TARGETS VEVaduDori RUNTIME DESTINATION .)

# A sample file goes in only where the folder has none of that name: installing
# into a bot's folder keeps the admin's KDX.cfg, batch files and language files.
install(CODE "set(VEVADUDORI_SAMPLE \"${KDX_SAMPLE_FOLDER}\")")
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
]])

# The desktop entry and its icon, for the admin to register (see docs/INSTALL.md).
if(UNIX AND NOT APPLE)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/vevadudori.desktop ${CMAKE_CURRENT_LIST_DIR}/vevadudori.svg DESTINATION desktop)
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
include(CPack)
