# SPDX-License-Identifier: GPL-3.0-or-later
# Desktop integration and the Debian package (make deb): the install rules
# below, with those of the programs and the data, are what CPack's DEB
# generator puts in the package. The version comes from project(VERSION)
# alone; TARNWICK_RELEASE_DATE goes with it into the metainfo.

# The metainfo for software centres, and the Debian changelog, with the version.
configure_file(packaging/tarnwick.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/packaging/org.tarnwick.Tarnwick.metainfo.xml @ONLY)
configure_file(packaging/changelog.in ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/org.tarnwick.Tarnwick.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES packaging/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarnwick)

find_program(TARNWICK_GZIP gzip)
find_program(TARNWICK_RSVG rsvg-convert)
find_program(TARNWICK_HELP2MAN help2man)
set(package_files)

# The changelog as Debian keeps a native package's: compressed, without a time stamp.
if(TARNWICK_GZIP)
    set(changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
    add_custom_command(OUTPUT ${changelog}
        COMMAND ${TARNWICK_GZIP} -9 -n -c ${CMAKE_BINARY_DIR}/packaging/changelog > ${changelog}
        DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog
        VERBATIM)
    list(APPEND package_files ${changelog})
    install(FILES ${changelog} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarnwick)
endif()

# The icon in the usual sizes besides the scalable one.
if(TARNWICK_RSVG)
    foreach(size 16 22 24 32 48 64 128 256)
        set(icon ${CMAKE_BINARY_DIR}/packaging/icons/${size}x${size}/tarnwick.png)
        add_custom_command(OUTPUT ${icon}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging/icons/${size}x${size}
            COMMAND ${TARNWICK_RSVG} -w ${size} -h ${size} -o ${icon} ${CMAKE_SOURCE_DIR}/data/icons/tarnwick.svg
            DEPENDS ${CMAKE_SOURCE_DIR}/data/icons/tarnwick.svg
            VERBATIM)
        list(APPEND package_files ${icon})
        install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
endif()

# A manual page for each program, from its --help.
if(TARNWICK_HELP2MAN AND TARNWICK_GZIP)
    set(programs
        tarnwick "editor for hand-written HTML pages and small web sites"
        tarnwick-publish "send a Tarnwick project to its web site"
        tarnwick-check "check a web site's pages before publishing"
        tarnwick-dct "build and try Tarnwick's spelling dictionaries")
    while(programs)
        list(POP_FRONT programs program summary)
        set(page ${CMAKE_BINARY_DIR}/packaging/man/${program}.1)
        add_custom_command(OUTPUT ${page}.gz
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging/man
            COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                ${TARNWICK_HELP2MAN} --no-info --no-discard-stderr
                --version-string=${PROJECT_VERSION} --name=${summary}
                --output=${page} $<TARGET_FILE:${program}>
            COMMAND ${TARNWICK_GZIP} -9 -n -f ${page}
            DEPENDS ${program}
            VERBATIM)
        list(APPEND package_files ${page}.gz)
        install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endwhile()
endif()
add_custom_target(package_files ALL DEPENDS ${package_files})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "The Tarnwick developers <tarnwick@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for hand-written HTML pages and small web sites")
# The summary is the synopsis line; this is the text below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tarnwick edits page source in tabs with tag colouring, completion and
 folding beside a live preview, inserts tags from tool bars and menus, and
 builds pages, tables, forms, frame sets and calendars with generator
 dialogs. Pages are kept in projects that are searched and changed as a
 whole, checked for broken links and other faults, and published by FTP,
 FTPS or SFTP. A spell checker works through a page word by word.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tarnwick.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Loaded at run time, not linked: the preview engine's process, the window
# system plugin, SVG icons, the desktop keyring's library, a font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6webenginecore6-bin, qt6-qpa-plugins, libqt6svg6, libsecret-1-0, fonts-dejavu-core")
include(CPack)
