# make deb: a Debian package of what `make install` installs, under /usr, made by CPack.
# Its dependencies are read from the shared libraries the program links (dpkg-shlibdeps),
# plus the fonts the game draws with; the copyright file and the changelog come from
# packaging/debian/.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qv)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The qv developers")
set(CPACK_PACKAGE_CONTACT "The qv developers <qvgame@users.noreply.github.com>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://qvgame.github.io/qv/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "role-playing game of timed battles on an island")
set(CPACK_PACKAGE_DESCRIPTION [[
Q.V. Miraforte is a single-player role-playing game. Make a character and
travel an island by clicking its places: most of them begin an encounter, a
few lines of dialogue and then a one-against-one battle fought in timed turns
with skills, items and elements. Between battles, equip items, raise skills,
shop, rest at the inn and explore the free area.

The game is in Japanese, with a complete English translation. It plays in one
640x480 window and keeps its progress in a plain-text save file.]])
# SPDX: GPL-3.0-or-later, the code and every picture, sound, tune and text the build makes.
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/COPYING)
set(CPACK_RPM_PACKAGE_LICENSE GPL-3.0-or-later)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)

# Debian keeps games in /usr/games: the package installs the program there (the component
# qv_games), where `make install` puts it in bin/ (the component qv_program). The game finds
# its data from its own folder, ../share/qv, either way.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Unspecified qv_games)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
# Without a General MIDI soundfont the one MIDI tune is silent; everything else plays.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "timgm6mb-soundfont | sf2-soundfont-gm")
# CPack installs what is built; `make deb` builds only the game and what it loads, not the
# tests, so installing must not build everything first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)
