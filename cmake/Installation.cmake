# What `cmake --install` puts under the prefix besides the two programs (installed by their
# own folders), and the Debian package CPack makes of it.
set(TAVO_ID fr.tavo.Tavo2000)
set(TAVO_RES ${PROJECT_SOURCE_DIR}/res)
set(TAVO_DONNEES ${CMAKE_INSTALL_DATADIR}/tavo)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The files the program looks for under share/tavo when it is not started from a folder of
# its own. Listed one by one: data/ is also ./run's working folder and may hold files of
# the user's.
set(TAVO_PROGRAMMES_DEMO F3A_F27.txt F3A_P27.txt F3C_P27.txt VGM_2026.txt)
list(TRANSFORM TAVO_PROGRAMMES_DEMO PREPEND ${PROJECT_SOURCE_DIR}/data/Vols/)
install(FILES ${TAVO_PROGRAMMES_DEMO} DESTINATION ${TAVO_DONNEES}/Vols)
install(FILES ${PROJECT_SOURCE_DIR}/data/Concours/demo.ccr DESTINATION ${TAVO_DONNEES}/Concours)
# data/logo.bmp is a link to res/logo.bmp: install the picture, not the link.
install(FILES ${PROJECT_SOURCE_DIR}/data/ffam.bmp ${TAVO_RES}/logo.bmp DESTINATION ${TAVO_DONNEES})
install(FILES ${TAVO_RES}/aide/Tavo.html DESTINATION ${TAVO_DONNEES}/aide)

# Desktop integration: menu entry, the .ccr file type, icons, AppStream metadata.
install(FILES ${TAVO_RES}/${TAVO_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TAVO_RES}/${TAVO_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${TAVO_RES}/${TAVO_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${TAVO_RES}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${TAVO_RES}/svg/tavo.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${TAVO_ID}.svg)

# The Debian changelog and the metadata name the release: they must follow the version.
file(STRINGS ${TAVO_RES}/debian/changelog entete LIMIT_COUNT 1)
file(STRINGS ${TAVO_RES}/${TAVO_ID}.metainfo.xml version_appstream REGEX "<release " LIMIT_COUNT 1)
if(NOT entete MATCHES "^tavo \\(${PROJECT_VERSION}-[0-9]+\\) "
   OR NOT version_appstream MATCHES "version=\"${PROJECT_VERSION}\"")
    message(FATAL_ERROR "res/debian/changelog and the first <release> of "
                        "res/${TAVO_ID}.metainfo.xml must name version ${PROJECT_VERSION}")
endif()
string(REGEX REPLACE "^tavo \\([^-]+-([0-9]+)\\).*" "\\1" revision_debian "${entete}")

# Manual pages (the version filled in) and the Debian changelog, compressed as Debian wants
# them: gzip -9n, without name or time.
set(compresses ${CMAKE_BINARY_DIR}/compresses)
foreach(texte IN ITEMS docs/man/tavo.1 docs/man/tavo-cli.1 res/debian/changelog)
    get_filename_component(nom ${texte} NAME)
    configure_file(${PROJECT_SOURCE_DIR}/${texte} ${compresses}/${nom} @ONLY)
    add_custom_command(OUTPUT ${compresses}/${nom}.gz
        COMMAND gzip -9nkf ${compresses}/${nom} DEPENDS ${compresses}/${nom})
    list(APPEND fichiers_gz ${compresses}/${nom}.gz)
endforeach()
add_custom_target(tavo_compresses ALL DEPENDS ${fichiers_gz})
install(FILES ${compresses}/tavo.1.gz ${compresses}/tavo-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${TAVO_RES}/debian/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tavo)
install(FILES ${compresses}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tavo
        RENAME changelog.Debian.gz)
install(FILES ${TAVO_RES}/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME tavo)

# cpack -G DEB (tools/paquet.sh builds with Debian's flags, packs and runs lintian).
set(TAVO_MAINTENEUR "Tavo 2000 developers <maintainers@tavo.fr>"
    CACHE STRING "Maintainer of the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavo)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "radio-controlled model aerobatics competition manager")
# Debian's extended description: lines of at most 80 characters, "." for an empty one.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Tavo 2000 runs a radio-controlled model aerobatics competition (F3A, F3C,"
    "VGM) from the entry of its pilots to the official report: the organiser"
    "describes the competition, enters pilots and judges, types in every judge's"
    "marks, and the program computes flight scores, rankings, judge rankings,"
    "mark diagrams and the TBL judge correction, shows them and prints the"
    "federation's forms. The program is in French."
    "."
    "The package also holds tavo-cli, which gives the same rankings and printed"
    "forms from the command line, and a demonstration competition.")
set(CPACK_STRIP_FILES ON)
set(CPACK_TAVO_STRIP ${CMAKE_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/DebianStrip.cmake)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${revision_debian})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TAVO_MAINTENEUR})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
