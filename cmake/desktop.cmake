# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the program where a Linux desktop looks for it: the executable, the help file, the
# desktop entry, the MIME type of the diary files, the icon at each size and the AppStream data.
# Every desktop file is named after the application id.
include(GNUInstallDirs)

set(TONOLOG_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/resources/desktop)

install(TARGETS tonolog RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${TONOLOG_HELP_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/tonolog)
install(FILES ${TONOLOG_DESKTOP_DIR}/${TONOLOG_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TONOLOG_DESKTOP_DIR}/${TONOLOG_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${TONOLOG_DESKTOP_DIR}/${TONOLOG_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The drawn window icons for the small sizes, where a scaled picture would blur; the SVG for
# every other size.
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/images/icon_101_${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${TONOLOG_APP_ID}.png)
endforeach()
install(FILES ${TONOLOG_DESKTOP_DIR}/${TONOLOG_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The licence and the changelog where Debian keeps them, the changelog compressed as it expects.
install(FILES ${PROJECT_SOURCE_DIR}/resources/debian/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tonolog)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/changelog.gz
                   COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/resources/debian/changelog > ${PROJECT_BINARY_DIR}/changelog.gz
                   DEPENDS ${PROJECT_SOURCE_DIR}/resources/debian/changelog VERBATIM)
add_custom_target(tonolog_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tonolog)
