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
