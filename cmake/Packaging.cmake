# Desktop install and the Debian package. `cmake --install` puts the program
# in bin/, the bundled season in share/kestrane, the desktop entry and the
# icon where desktops look for them; `cpack -G DEB` packs the same files.

# The sending tool lies beside the program, where "Envoyer" finds it.
install(TARGETS kestrane Porvex RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/2013.txt ${PROJECT_SOURCE_DIR}/data/Resultats2013.ini
        DESTINATION ${KESTRANE_INSTALL_SEASONDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/kestrane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/kestrane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_PACKAGE_NAME kestrane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kestrane")
set(CPACK_PACKAGE_CONTACT "Kestrane <kestrane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Championnat Kestrane 1 2013 - 2014 : classements et résultats")
set(CPACK_PACKAGE_DESCRIPTION "Suit la saison 2013 - 2014 du championnat Kestrane 1 : classements, \
journées, fiches des équipes, saisie et publication des résultats, exports du classement.")
set(CPACK_PACKAGE_FILE_NAME "kestrane_${PROJECT_VERSION}")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Debian 12's Qt 6 runtime (the xcb and offscreen platforms come with
# libqt6gui6) and the C++ runtime, as dpkg-shlibdeps finds them, plus Qt
# Network for the downloads. The package test checks the list against
# dpkg-shlibdeps when it is there.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6network6 (>= 6.4), \
libqt6printsupport6 (>= 6.4), libc6 (>= 2.34), libstdc++6 (>= 11), libgcc-s1 (>= 3.0)")
# French buttons in Qt's own dialogs, and the type the table pages ask for.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-dejavu-core")
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
include(CPack)
