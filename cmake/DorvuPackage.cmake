# SPDX-License-Identifier: GPL-2.0-or-later
# SPDX-FileCopyrightText: Dorvu developers
# The Debian package (scripts/package runs cpack -G DEB on a Release build installed to /usr).
# The package's dependencies come from the binaries (dpkg-shlibdeps).

# Debian wants the licence and a changelog in /usr/share/doc/<package>/; the changelog is made
# from the project version, compressed as Debian does (gzip -9n: no name, no time stamp).
set(_docdir ${CMAKE_INSTALL_DATADIR}/doc/dorvu)
set(_changelog ${CMAKE_BINARY_DIR}/debian/changelog)
string(TIMESTAMP _date "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE ${_changelog}.in
  "dorvu (@PROJECT_VERSION@) unstable; urgency=medium\n\n"
  "  * Release @PROJECT_VERSION@.\n\n"
  " -- Dorvu developers <dorvu@users.noreply.example>  @_date@\n")
configure_file(${_changelog}.in ${_changelog} @ONLY)
find_program(DORVU_GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${_changelog}.gz
  COMMAND ${DORVU_GZIP} -9nc ${_changelog} > ${_changelog}.gz
  DEPENDS ${_changelog}
  COMMENT "Compressing the Debian changelog")
add_custom_target(debian_changelog ALL DEPENDS ${_changelog}.gz)
install(FILES ${PROJECT_SOURCE_DIR}/data/copyright DESTINATION ${_docdir})
install(FILES ${_changelog}.gz DESTINATION ${_docdir})

set(CPACK_PACKAGE_NAME dorvu)
set(CPACK_PACKAGE_VENDOR "Dorvu developers")
set(CPACK_PACKAGE_CONTACT "Dorvu developers <dorvu@users.noreply.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tabbed web browser with two engines side by side")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Dorvu developers <dorvu@users.noreply.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded as a plug-in, so not seen by dpkg-shlibdeps: the history database's SQLite driver.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
# Not seen by dpkg-shlibdeps: Qt's own dialogs in Japanese, and a font for Japanese text.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-noto-cjk")
# The long description (cpack puts the summary above it); "." stands for an empty line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Dorvu is a desktop web browser for Japanese-speaking users. Every page lives
in its own window inside one main window, with a tab strip, a window tree, a
bookmark side bar, an address bar and a search bar. Pages open in Chromium
(Qt WebEngine) or in WebKit, side by side.
.
Dorvu は日本語ユーザー向けのタブブラウザです。ページはそれぞれメイン
ウィンドウの中の子ウィンドウに開き、タブ、ウィンドウツリー、ブックマーク、
アドレスバー、検索バーを備えます。Chromium (Qt WebEngine) と WebKit の
二つのエンジンを並べて使えます。")
include(CPack)
