# Installs the two programs with locs.dat beside them (the programs look for their place
# list in their own folder), a desktop entry and the icon.
include(GNUInstallDirs)

install(TARGETS quintrel quintrel-table RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# A place list that is already installed holds the user's own places: never replace it.
install(CODE "
  set(target \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/locs.dat\")
  if(EXISTS \"\${target}\")
    message(STATUS \"Keeping the existing place list: \${target}\")
  else()
    message(STATUS \"Installing: \${target}\")
    file(COPY_FILE \"${PROJECT_SOURCE_DIR}/data/locs.dat\" \"\${target}\")
  endif()
")

# The desktop entry names the installed program by its full path. The prefix is only known
# for certain at install time (`cmake --install --prefix`, which `make install PREFIX=`
# uses, overrides the configured one), so the entry is written then.
install(CODE "
  set(QUINTREL_INSTALLED_EXE \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quintrel\")
  # A path with blanks must be quoted in the Exec line.
  if(QUINTREL_INSTALLED_EXE MATCHES \" \")
    set(QUINTREL_INSTALLED_EXE \"\\\"\${QUINTREL_INSTALLED_EXE}\\\"\")
  endif()
  configure_file(\"${PROJECT_SOURCE_DIR}/data/quintrel.desktop.in\"
                 \"${PROJECT_BINARY_DIR}/quintrel.desktop\" @ONLY)
")
install(FILES ${PROJECT_BINARY_DIR}/quintrel.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/ui/report/pictures/icon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME quintrel.svg)
