# Desktop install and the Debian packages. `cmake --install` puts the program
# in bin/, the bundled season in share/kestrane, the manual pages, the desktop
# entry and the icon where desktops look for them, and the league's server
# (Apache configuration, upload scripts, serve.sh) in share/kestrane-serveur;
# `cpack -G DEB` packs the same files as two packages: kestrane (the program
# and the sending tool) and kestrane-serveur (what a league's server needs,
# besides the program).

# The manual pages, written by the programs themselves from the table their
# --help comes from.
set(KESTRANE_MAN_DIR ${PROJECT_BINARY_DIR}/man)
foreach(command kestrane Porvex)
  add_custom_command(OUTPUT ${KESTRANE_MAN_DIR}/${command}.1.gz
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${command}> -DOUTPUT=${KESTRANE_MAN_DIR}/${command}.1.gz
            -P ${PROJECT_SOURCE_DIR}/cmake/manpage.cmake
    DEPENDS ${command} ${PROJECT_SOURCE_DIR}/cmake/manpage.cmake
    COMMENT "Page de manuel de ${command}")
  list(APPEND kestrane_man_pages ${KESTRANE_MAN_DIR}/${command}.1.gz)
endforeach()
add_custom_target(manpages ALL DEPENDS ${kestrane_man_pages})

# The sending tool lies beside the program, where "Envoyer" finds it.
install(TARGETS kestrane Porvex RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programme)
install(FILES ${PROJECT_SOURCE_DIR}/data/2013.txt ${PROJECT_SOURCE_DIR}/data/Resultats2013.ini
        DESTINATION ${KESTRANE_INSTALL_SEASONDIR} COMPONENT programme)
install(FILES ${kestrane_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT programme)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/kestrane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        COMPONENT programme)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/kestrane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT programme)

# The league's server, laid out as in the sources (serve.sh finds server/
# beside its own folder), with the Apache configuration that a2enconf
# enables and the command kestrane-serve. Only the package installs it
# (the configuration goes to /etc, and names the package's own paths):
# `cmake --install` leaves it out unless asked (--component serveur).
set(KESTRANE_SERVER_DIR share/kestrane-serveur)
install(PROGRAMS ${PROJECT_SOURCE_DIR}/server/envoi.sh ${PROJECT_SOURCE_DIR}/server/site.sh
                 ${PROJECT_SOURCE_DIR}/server/retablir.sh
        DESTINATION ${KESTRANE_SERVER_DIR}/server COMPONENT serveur EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/server/kestrane.conf ${PROJECT_SOURCE_DIR}/server/serve.conf
              ${PROJECT_SOURCE_DIR}/server/publier.sh ${PROJECT_SOURCE_DIR}/server/programme.sh
        DESTINATION ${KESTRANE_SERVER_DIR}/server COMPONENT serveur EXCLUDE_FROM_ALL)
install(PROGRAMS ${PROJECT_SOURCE_DIR}/scripts/serve.sh DESTINATION ${KESTRANE_SERVER_DIR}/scripts
        COMPONENT serveur EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/serveur/kestrane.conf DESTINATION /etc/apache2/conf-available
        COMPONENT serveur EXCLUDE_FROM_ALL)
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/packaging)
file(CREATE_LINK ../${KESTRANE_SERVER_DIR}/scripts/serve.sh ${PROJECT_BINARY_DIR}/packaging/kestrane-serve SYMBOLIC)
install(FILES ${PROJECT_BINARY_DIR}/packaging/kestrane-serve DESTINATION bin COMPONENT serveur EXCLUDE_FROM_ALL)

set(CPACK_PACKAGE_NAME kestrane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kestrane")
set(CPACK_PACKAGE_CONTACT "Kestrane <kestrane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Championnat Kestrane 1 2013 - 2014 : classements et résultats")
set(CPACK_PACKAGE_DESCRIPTION "Suit la saison 2013 - 2014 du championnat Kestrane 1 : classements, \
journées, fiches des équipes, saisie et publication des résultats, exports du classement.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL programme serveur)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)

set(CPACK_DEBIAN_PROGRAMME_PACKAGE_NAME kestrane)
# Debian 12's Qt 6 runtime (the xcb and offscreen platforms come with
# libqt6gui6) and the C++ runtime, as dpkg-shlibdeps finds them, plus Qt
# Network for the downloads. The package test checks the list against
# dpkg-shlibdeps when it is there.
set(CPACK_DEBIAN_PROGRAMME_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6network6 (>= 6.4), \
libqt6printsupport6 (>= 6.4), libc6 (>= 2.34), libstdc++6 (>= 11), libgcc-s1 (>= 3.0)")
# French buttons in Qt's own dialogs, and the type the table pages ask for.
set(CPACK_DEBIAN_PROGRAMME_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-dejavu-core")
set(CPACK_COMPONENT_PROGRAMME_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")

set(CPACK_DEBIAN_SERVEUR_PACKAGE_NAME kestrane-serveur)
set(CPACK_DEBIAN_SERVEUR_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_SERVEUR_PACKAGE_SECTION web)
# The same program checks every upload and writes the site: its own version.
set(CPACK_DEBIAN_SERVEUR_PACKAGE_DEPENDS "apache2, apache2-utils, kestrane (= ${PROJECT_VERSION}), openssl, util-linux")
set(CPACK_COMPONENT_SERVEUR_DESCRIPTION "Serveur de la ligue Kestrane 1 : publication des résultats et site web
 La configuration d'Apache (a2enconf kestrane), le script des envois des bénévoles,
 la régénération du site de la saison après chaque envoi, et kestrane-serve, qui
 lance un Apache à soi pour un essai ou une petite ligue.")
# The configuration is the admin's once installed; the package makes the
# league's folder at its first installation (postinst).
set(CPACK_DEBIAN_SERVEUR_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/serveur/conffiles
    ${PROJECT_SOURCE_DIR}/packaging/serveur/postinst)
set(CPACK_DEBIAN_SERVEUR_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
