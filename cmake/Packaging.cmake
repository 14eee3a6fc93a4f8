# `make deb` (cpack -G DEB): a Debian package of the installed layout under
# /usr. Its library dependencies are found by dpkg-shlibdeps (dpkg-dev);
# what the program needs beyond its libraries is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME songloom)
set(CPACK_PACKAGE_VENDOR "Hollowpine Software")
set(CPACK_PACKAGE_CONTACT "Songloom team <songloom@hollowpine.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "write song sheets with chord diagrams")
set(CPACK_PACKAGE_DESCRIPTION
  "Songloom is a desktop program for writing song sheets: the lyrics are typed
into a rich-text song (RTF), chord diagrams (ChordBoxes) are drawn on a
magnified fretboard, kept in chord libraries beside the song and dragged
among the lines. It checks the spelling and prints the sheet.
.
songloom-cli draws ChordBox pictures and converts songs from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.hollowpine.example/songloom")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not libraries, so dpkg-shlibdeps cannot see them: the main dictionary's
# source and the platform plugin that shows windows on X11 and Wayland.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "hunspell-en-us, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
