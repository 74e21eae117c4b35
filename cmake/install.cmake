# What `cmake --install` puts where (GNUInstallDirs), and the Debian package
# CPack makes of it: cpack -G DEB in the build folder.

set(QVT_ID de.qvt.qvt410)
set(QVT_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/qvt410)

# Programs: the application, the device simulator for training without a
# device, and the command-line tool when it is part of the build.
install(TARGETS qvt410 qvt410-devsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
set(QVT_MAN_PAGES qvt410.1 qvt410-devsim.1)
if(TARGET qvt410-cli)
    install(TARGETS qvt410-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(EXISTS ${PROJECT_SOURCE_DIR}/man/qvt410-cli.1)
    list(APPEND QVT_MAN_PAGES qvt410-cli.1)
endif()

# The German help pages; the help window prefers them to the built-in copy.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/ DESTINATION ${QVT_HELP_DIR}
        FILES_MATCHING PATTERN "*.html")

# Desktop menu entry, icon in every drawn size, AppStream, the *.QVC type.
install(FILES ${PROJECT_SOURCE_DIR}/data/${QVT_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/${QVT_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/data/qvt410-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${QVT_ID}.xml)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/icons/hicolor
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/qvt410.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${QVT_ID}.svg)

# The udev rule that gives FTDI adapters (programming cables on USB) to the
# user at the seat and to the group plugdev. udev reads packaged rules from
# /lib/udev/rules.d whatever the program's prefix; an install into a folder
# of one's own sets QVT_UDEV_RULES_DIR.
set(QVT_UDEV_RULES_DIR /lib/udev/rules.d CACHE PATH "Where the udev rule for FTDI adapters goes")
install(FILES ${PROJECT_SOURCE_DIR}/data/udev/60-qvt410-ftdi.rules DESTINATION ${QVT_UDEV_RULES_DIR})

# Manual pages and the Debian changelog compressed as Debian wants them:
# gzip -9n, without a time stamp, so the package is the same at every build.
function(qvt_gzip source output)
    add_custom_command(OUTPUT ${output}
                       COMMAND gzip -9n -c ${source} > ${output}
                       DEPENDS ${source} VERBATIM)
    set(QVT_GZIPPED ${QVT_GZIPPED} ${output} PARENT_SCOPE)
endfunction()
set(QVT_GZIPPED)
set(QVT_MAN_GZ)
foreach(page IN LISTS QVT_MAN_PAGES)
    qvt_gzip(${PROJECT_SOURCE_DIR}/man/${page} ${PROJECT_BINARY_DIR}/man/${page}.gz)
    list(APPEND QVT_MAN_GZ ${PROJECT_BINARY_DIR}/man/${page}.gz)
endforeach()
qvt_gzip(${PROJECT_SOURCE_DIR}/data/changelog.Debian
         ${PROJECT_BINARY_DIR}/doc/changelog.Debian.gz)
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/man ${PROJECT_BINARY_DIR}/doc)
add_custom_target(qvt_gzipped_files ALL DEPENDS ${QVT_GZIPPED})
install(FILES ${QVT_MAN_GZ} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_BINARY_DIR}/doc/changelog.Debian.gz ${PROJECT_SOURCE_DIR}/data/copyright
        DESTINATION ${QVT_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME qvt410)

# The Debian package. Version, revision and maintainer come from the newest
# entry of data/changelog.Debian, so the package and its changelog agree.
file(STRINGS ${PROJECT_SOURCE_DIR}/data/changelog.Debian QVT_CHANGELOG_HEAD LIMIT_COUNT 1)
string(REGEX MATCH "\\(([^)-]+)-([^)]+)\\)" _ "${QVT_CHANGELOG_HEAD}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "data/changelog.Debian is for ${CMAKE_MATCH_1}, the program is ${PROJECT_VERSION}")
endif()
set(CPACK_DEBIAN_PACKAGE_RELEASE ${CMAKE_MATCH_2})
file(STRINGS ${PROJECT_SOURCE_DIR}/data/changelog.Debian QVT_CHANGELOG_SIGNATURE REGEX "^ -- ")
list(GET QVT_CHANGELOG_SIGNATURE 0 QVT_CHANGELOG_SIGNATURE)
string(REGEX MATCH "^ -- ([^>]+>)" _ "${QVT_CHANGELOG_SIGNATURE}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CMAKE_MATCH_1}")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qvt410)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps finds what the programs link, libftdi1-2 and libgpiod2 for
# the USB and GPIO cables among them (check-package.sh checks those two).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: the window system
# plugins (xcb, wayland, offscreen) and the German texts of Qt's dialogs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "service tool for QVT digital panel meters")
# CPack puts the summary in front as the synopsis, indents the lines itself
# and turns the empty line into " .".
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Sets up QVT digital panel meters over the serial line, shows and logs the
telegrams they send, and programs their 8051-family chip (8252, 8253)
through a cable at the parallel port, an FTDI USB adapter or the GPIO lines
of a Linux board. Includes a device simulator for training without a
device. The program speaks German.

Servicewerkzeug für QVT-Digitalanzeigen: parametriert die Geräte über die
serielle Schnittstelle, zeigt und protokolliert ihre Telegramme und
programmiert ihren Baustein (8252, 8253) über ein Kabel an der
Parallelschnittstelle, einem FTDI-USB-Adapter oder den GPIO-Leitungen einer
Linux-Platine. Mit Gerätesimulator zum Üben ohne Gerät.")
include(CPack)
