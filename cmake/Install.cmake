# What `cmake --install build --prefix DIR` and the Debian package put in place: the program, its
# desktop entry, icon, file types, AppStream metadata, manual page and shell completion.
include(GNUInstallDirs)
install(TARGETS orb RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/orb.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/orb.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/orb-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME orb.xml)
configure_file(data/orb.metainfo.xml.in ${CMAKE_BINARY_DIR}/${ORB_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${ORB_APPSTREAM_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_BINARY_DIR}/orb.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/orb.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME orb)

# The Debian package (scripts/package.sh): its copyright and changelog, then CPack's settings.
configure_file(data/debian-changelog.in ${CMAKE_BINARY_DIR}/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
    COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/changelog
    DEPENDS ${CMAKE_BINARY_DIR}/changelog VERBATIM)
add_custom_target(orb_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES data/copyright ${CMAKE_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orb)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orb)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${ORB_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "style librarian for Korg Pa60 and Pa80 arranger keyboards")
# Lines of at most 79 characters: the package's description shows each after a blank.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "ORB keeps every style of your .STY bank files once, byte for byte, in one\n"
    "catalogue and builds new banks from it for the keyboard's floppy, a USB\n"
    "stick or its hard disk. It links songs to styles, backs up the whole\n"
    "catalogue into one file and can undo a step. Its commands do the same work\n"
    "without windows, for scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ORB_HOMEPAGE})
# The libraries the program needs are read from the binary, not typed here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
