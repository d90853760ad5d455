# Installation of the window program with its launcher, menu entry and icon,
# and the Debian package.
include(GNUInstallDirs)

if(TARGET ventbox)
  install(TARGETS ventbox RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(PROGRAMS ${CMAKE_CURRENT_LIST_DIR}/../packaging/ventbox-launcher
          DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/../packaging/ventbox.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/../src/ui/qt/ventbox.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ventbox)
set(CPACK_PACKAGE_VENDOR "ventbox")
set(CPACK_PACKAGE_CONTACT "ventbox developers <ventbox@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Bass-reflex loudspeaker enclosure calculator")
set(CPACK_PACKAGE_INSTALL_DIRECTORY ventbox)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
# The libraries come from dpkg-shlibdeps; the window needs besides them the
# platform plugins that Qt loads at run time, Qt's own translations for the
# platform dialogs, and the Japanese fonts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-ipafont-gothic, fonts-ipafont-mincho")
include(CPack)
