# Read by cpack for each generator: the Debian generator packs the system-wide
# packages, an archive every other component (the portable folder). The source
# archive keeps its files in a folder of its own, VEVaduDori-<version>-Source/.
if(CPACK_SOURCE_INSTALLED_DIRECTORIES)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
elseif(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_COMPONENTS_ALL ${CPACK_DEB_COMPONENTS})
  set(CPACK_PACKAGING_INSTALL_PREFIX ${CPACK_DEB_PREFIX})
  # Each package's description starts with a summary line of its own.
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "")
else()
  list(REMOVE_ITEM CPACK_COMPONENTS_ALL ${CPACK_DEB_COMPONENTS})
endif()
