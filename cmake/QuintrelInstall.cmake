# What `make install` and the Debian package install. Rules without a component are common
# to both; `prefix_places` (locs.dat beside the programs) is for an install into a folder
# the user owns, `package` (the shipped list under share/, copyright and changelog) only
# for the package, which CPack builds from those two (see QuintrelPackage.cmake).
include(GNUInstallDirs)

install(TARGETS quintrel quintrel-table RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The programs look for their place list in their own folder first. A place list that is
# already installed there holds the user's own places: never replace it.
install(CODE "
  set(target \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/locs.dat\")
  if(EXISTS \"\${target}\")
    message(STATUS \"Keeping the existing place list: \${target}\")
  else()
    message(STATUS \"Installing: \${target}\")
    file(COPY_FILE \"${PROJECT_SOURCE_DIR}/data/locs.dat\" \"\${target}\")
  endif()
" COMPONENT prefix_places)

# The desktop entry names the installed program by its full path. The prefix is only known
# for certain at install time (`cmake --install --prefix`, which `make install PREFIX=`
# uses, overrides the configured one), so the entry is written then, straight into its
# place: installs into different prefixes may run at the same time.
install(CODE "
  set(QUINTREL_INSTALLED_EXE \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quintrel\")
  # A path with blanks must be quoted in the Exec line.
  if(QUINTREL_INSTALLED_EXE MATCHES \" \")
    set(QUINTREL_INSTALLED_EXE \"\\\"\${QUINTREL_INSTALLED_EXE}\\\"\")
  endif()
  set(entry \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/quintrel.desktop\")
  message(STATUS \"Installing: \${entry}\")
  configure_file(\"${PROJECT_SOURCE_DIR}/data/quintrel.desktop.in\" \"\${entry}\" @ONLY)
  file(CHMOD \"\${entry}\" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  # Listed in install_manifest.txt like every installed file, for uninstalling.
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${entry}\")
")
# The world tide file is never edited, so a new install replaces it: beside the programs
# in a folder the user owns (where the build folder has it too), under share/ in the
# package.
install(FILES ${QUINTREL_WORLD_TIDES_FILE} DESTINATION ${CMAKE_INSTALL_BINDIR}
        COMPONENT prefix_places)
install(FILES ${QUINTREL_WORLD_TIDES_FILE} DESTINATION ${QUINTREL_TIDES_INSTALL_DIR}
        COMPONENT package EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/ui/report/pictures/icon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME quintrel.svg)

# Manual pages: the window's is written by hand, quintrel-table's made by help2man from its
# --help, so the options it lists are always the program's own. Both gzip'd, without a
# time stamp, so that a rebuild gives the same bytes.
find_program(QUINTREL_HELP2MAN help2man REQUIRED)
find_program(QUINTREL_GZIP gzip REQUIRED)
set(man_dir ${PROJECT_BINARY_DIR}/man)
configure_file(${PROJECT_SOURCE_DIR}/data/package/quintrel.1 ${man_dir}/quintrel.1 @ONLY)
add_custom_command(OUTPUT ${man_dir}/quintrel.1.gz
  COMMAND ${QUINTREL_GZIP} -9nkf ${man_dir}/quintrel.1
  DEPENDS ${man_dir}/quintrel.1
  VERBATIM)
add_custom_command(OUTPUT ${man_dir}/quintrel-table.1.gz
  COMMAND ${QUINTREL_HELP2MAN} --no-info --no-discard-stderr
          --include=${PROJECT_SOURCE_DIR}/data/package/quintrel-table.h2m
          --output=${man_dir}/quintrel-table.1 $<TARGET_FILE:quintrel-table>
  COMMAND ${QUINTREL_GZIP} -9nkf ${man_dir}/quintrel-table.1
  DEPENDS quintrel-table ${PROJECT_SOURCE_DIR}/data/package/quintrel-table.h2m
  VERBATIM)
add_custom_target(quintrel_manpages ALL
  DEPENDS ${man_dir}/quintrel.1.gz ${man_dir}/quintrel-table.1.gz)
install(FILES ${man_dir}/quintrel.1.gz ${man_dir}/quintrel-table.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

configure_file(${PROJECT_SOURCE_DIR}/data/package/org.example.quintrel.metainfo.xml
               ${PROJECT_BINARY_DIR}/org.example.quintrel.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/org.example.quintrel.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Only in the package: the list each user's first start copies, and Debian's documents.
configure_file(${PROJECT_SOURCE_DIR}/data/package/changelog ${PROJECT_BINARY_DIR}/doc/changelog
               @ONLY)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/doc/changelog.gz
  COMMAND ${QUINTREL_GZIP} -9nkf ${PROJECT_BINARY_DIR}/doc/changelog
  DEPENDS ${PROJECT_BINARY_DIR}/doc/changelog
  VERBATIM)
add_custom_target(quintrel_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/doc/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/data/locs.dat
        DESTINATION ${CMAKE_INSTALL_DATADIR}/quintrel
        COMPONENT package EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/data/package/copyright ${PROJECT_BINARY_DIR}/doc/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quintrel
        COMPONENT package EXCLUDE_FROM_ALL)
