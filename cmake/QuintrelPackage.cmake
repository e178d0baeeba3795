# `make package`: the Debian package, built by CPack from the install rules of
# QuintrelInstall.cmake (the common ones and the `package` component; the place list
# beside the programs stays out, as nobody may write to /usr/bin).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quintrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Quintrel developers")
set(CPACK_PACKAGE_CONTACT "The Quintrel developers <maintainers@quintrel.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "sun and moon times and solunar tables for anglers and hunters")
# Lines of at most 80 characters, as Debian's tools want them.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Quintrel computes, for a chosen place and month, a day-by-day table: sunrise\n"
  "and sunset, moonrise and moonset, the lit part of the moon, two major and two\n"
  "minor fish-and-game activity times, and a rating of each day. It shows the\n"
  "table as a printable report and exports it as PDF and CSV.\n"
  "\n"
  "Each user keeps a list of places with time zones and daylight-saving rules.\n"
  "The command quintrel-table prints the same tables in a terminal.")
# The install rules see /usr as their prefix (the desktop entry names /usr/bin/quintrel)
# and the staging folder as DESTDIR.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${PROJECT_BINARY_DIR};Quintrel;Unspecified;/"
    "${PROJECT_BINARY_DIR};Quintrel;package;/")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quintrel.example.org")
# The libraries the programs link come from dpkg-shlibdeps; what Qt loads at run time
# (the display plugins) and the report's fonts cannot be found that way.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# xtide-data holds the tide harmonics of the USA the tides are predicted from (the rest of
# the world is in the package's own world-tides.tcd; libtcd itself comes with the
# shared-library dependencies).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core, xtide-data")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-extra, fonts-crosextra-caladea, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)

include(CPack)
