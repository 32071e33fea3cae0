# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package (scripts/package.sh builds it): whatever the install
# rules put under the prefix /usr, with the shared-library dependencies that
# dpkg-shlibdeps finds in the programs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessaro)
set(CPACK_PACKAGE_VENDOR "The Tessaro developers")
set(CPACK_PACKAGE_CONTACT "The Tessaro developers <developers@tessaro.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "pixel editor for the map chips of role-playing games")
set(CPACK_PACKAGE_DESCRIPTION
  "Tessaro draws the 16 x 16 map chips from which the maps of role-playing\n\
games are laid, on a sheet of 30 x 16 chips, with a pen, a flood fill, an\n\
ellipse and a line in colours from a fixed palette; it loads BMP, JPEG and\n\
PNG pictures and saves BMP and PNG files. tessaro-cli cuts, joins and\n\
converts sheets without a window.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://tessaro.example.org/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not found by the library scan: the Japanese font of the window's texts.
# The X11 platform plug-in comes with libqt6gui6, which the scan finds.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
