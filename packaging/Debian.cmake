# The Debian packages, installed below /usr: `vevadudori`, the window, and
# `kdxcfg`, the command that needs no Qt. dpkg-shlibdeps names the libraries
# each program links by their packages; cpack -G DEB packs them.

set(debian_folder ${CMAKE_CURRENT_LIST_DIR}/debian)
# Folders 0755 whatever the umask of the one who packs.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# A package's program and the files every package carries besides it: the
# copyright, the changelog, and a man page that help2man makes from the
# program's --help while packing. Its install component is deb_<package>.
function(add_debian_package package program summary)
  set(component deb_${package})
  set(options COMPONENT ${component} EXCLUDE_FROM_ALL)
  install(TARGETS ${program} RUNTIME DESTINATION bin ${options})
  install(FILES ${debian_folder}/copyright DESTINATION share/doc/${package} ${options})
  set(staging ${CMAKE_CURRENT_BINARY_DIR}/debian/${package})
  set(changelog ${debian_folder}/changelog)
  set(executable $<TARGET_FILE:${program}>)
  set(page $<TARGET_FILE_NAME:${program}>.1)
  string(CONFIGURE [[
    find_program(help2man help2man REQUIRED)
    find_program(gzip gzip REQUIRED)
    file(MAKE_DIRECTORY "@staging@")
    execute_process(COMMAND "${help2man}" --no-info --section=1 "--name=@summary@"
                            "--output=@staging@/@page@" "@executable@" COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND "${gzip}" -9nf "@staging@/@page@" COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND "${gzip}" -9nc "@changelog@" OUTPUT_FILE "@staging@/changelog.gz" COMMAND_ERROR_IS_FATAL ANY)
    set(readable PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    file(INSTALL "@staging@/@page@.gz" DESTINATION "${CMAKE_INSTALL_PREFIX}/share/man/man1" ${readable})
    file(INSTALL "@staging@/changelog.gz" DESTINATION "${CMAKE_INSTALL_PREFIX}/share/doc/@package@" ${readable})
  ]] generated @ONLY)
  install(CODE "${generated}" ${options})

  string(TOUPPER ${component} upper)
  set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${package} PARENT_SCOPE)
  list(APPEND CPACK_DEB_COMPONENTS ${component})
  set(CPACK_DEB_COMPONENTS ${CPACK_DEB_COMPONENTS} PARENT_SCOPE)
endfunction()

if(TARGET VEVaduDori)
  add_debian_package(vevadudori VEVaduDori "edit the configuration file KDX.cfg of an E[VRK]bot")
  set(to_desktop COMPONENT deb_vevadudori EXCLUDE_FROM_ALL)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/vevadudori.desktop DESTINATION share/applications ${to_desktop})
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/vevadudori.svg DESTINATION share/icons/hicolor/scalable/apps ${to_desktop})
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/io.github.vevadudori.vevadudori.metainfo.xml DESTINATION share/metainfo ${to_desktop})
  # The window's font is found at run time, not linked.
  set(CPACK_DEBIAN_DEB_VEVADUDORI_PACKAGE_DEPENDS fonts-liberation2)
  set(CPACK_DEBIAN_DEB_VEVADUDORI_DESCRIPTION [[editor for the configuration file KDX.cfg of an E[VRK]bot
VEVaduDori edits KDX.cfg, the configuration file of the E[VRK]bot add-on
for Half-Life game servers, in one window: check boxes, number boxes, skill
bars and timers for its 26 settings, and an editor for its eight custom
server commands. Comments, blank lines and every other line of the file are
kept as they are. It also writes a clean copy of the file, and switches the
bot's chat and title languages with the batch files of the bot's folder.
]])
endif()

if(TARGET kdxcfg)
  add_debian_package(kdxcfg kdxcfg "change the configuration file KDX.cfg of an E[VRK]bot from scripts")
  # The Ansible collection whose modules run this kdxcfg on managed hosts;
  # ansible-core searches this folder for collections without any setting.
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/packaging/ansible/ansible_collections/vevadudori/kdx
          DESTINATION share/ansible/collections/ansible_collections/vevadudori
          FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ COMPONENT deb_kdxcfg EXCLUDE_FROM_ALL
          PATTERN __pycache__ EXCLUDE)
  set(CPACK_DEBIAN_DEB_KDXCFG_DESCRIPTION [[command-line editor for the configuration file KDX.cfg of an E[VRK]bot
kdxcfg shows, reads and sets the settings and custom commands of KDX.cfg,
the configuration file of the E[VRK]bot add-on for Half-Life game servers,
with the same rules as the VEVaduDori window, so that a file changed by
either comes out byte for byte the same. It checks hand-edited files and
writes clean copies. It needs neither Qt nor a display: for servers reached
over SSH, install scripts and cron jobs. A file that would not change is
not written, and --dry-run shows the change as a unified diff.
.
It also brings the Ansible collection vevadudori.kdx, whose module kdxcfg
sets the same values on a whole fleet of game servers, in check and diff
mode too, and whose module kdxcfg_info reads them for an audit.
]])
endif()

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEB_PREFIX ${VEVADUDORI_SYSTEM_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE vevadudori)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "VEVaduDori maintainers <maintainers@users.noreply.c-seed-bbe487aa.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
