# SPDX-License-Identifier: GPL-3.0-or-later
# Installation of both programs with the launcher, menu entry, icons, software
# centre metadata, manual pages, examples and licence, and the Debian package.
include(GNUInstallDirs)

set(_packaging ${CMAKE_CURRENT_LIST_DIR}/../packaging)
set(_staged ${CMAKE_BINARY_DIR}/packaging)
set(_docdir ${CMAKE_INSTALL_DATADIR}/doc/ventbox)
set(_launcherdir ${CMAKE_INSTALL_LIBEXECDIR}/ventbox)
set(_examplesdir ${CMAKE_INSTALL_DATADIR}/ventbox/examples)

install(TARGETS ventbox-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${_packaging}/ventbox-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME ventbox-cli)
install(FILES ${_packaging}/copyright DESTINATION ${_docdir})
install(DIRECTORY ${CMAKE_CURRENT_LIST_DIR}/../examples/ DESTINATION ${_examplesdir}
        FILES_MATCHING PATTERN "*.dat")

# What a package names besides its contents: who built it and where the
# project lives. Nothing is published that a packager has not given: without
# a homepage or screenshot address the package and its metadata leave them
# out, and the default maintainer's address is one that cannot exist.
set(VENTBOX_MAINTAINER "ventbox local build <local-build@ventbox.invalid>" CACHE STRING
  "Maintainer of the Debian package and signer of its changelog, as \"Name <address>\"")
set(VENTBOX_HOMEPAGE "" CACHE STRING
  "The project's web page, for the package and the software centre metadata (left out when empty)")
set(VENTBOX_SCREENSHOT_URL "" CACHE STRING
  "Address of a picture of the window, for the software centre metadata (left out when empty)")

function(ventbox_xml_text out text)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  string(REPLACE "\"" "&quot;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()
# Built as one string: an escaped "&amp;" would split a CMake list.
set(_links "")
if(VENTBOX_HOMEPAGE)
  ventbox_xml_text(_homepage "${VENTBOX_HOMEPAGE}")
  string(APPEND _links "  <url type=\"homepage\">${_homepage}</url>\n")
endif()
if(VENTBOX_SCREENSHOT_URL)
  ventbox_xml_text(_screenshot "${VENTBOX_SCREENSHOT_URL}")
  string(APPEND _links
    "  <screenshots>\n"
    "    <screenshot type=\"default\">\n"
    "      <caption>The window with an example design and its results</caption>\n"
    "      <image type=\"source\">${_screenshot}</image>\n"
    "    </screenshot>\n"
    "  </screenshots>\n")
endif()
string(REGEX REPLACE "\n$" "" VENTBOX_METAINFO_LINKS "${_links}")
configure_file(${_packaging}/${VENTBOX_APP_ID}.metainfo.xml.in
               ${_staged}/${VENTBOX_APP_ID}.metainfo.xml @ONLY)

# The version is written once, in project(); the manual pages take it from
# there and the changelog takes its signer from the build. Both go compressed,
# with no time stamp in the gzip header so that two builds of one source give
# the same package.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(_gzipped)
foreach(source IN ITEMS man/ventbox.1.in man/ventbox-cli.1.in packaging/changelog)
  get_filename_component(_name ${source} NAME)
  string(REGEX REPLACE "\\.in$" "" _name ${_name})
  configure_file(${CMAKE_CURRENT_LIST_DIR}/../${source} ${_staged}/${_name} @ONLY)
  add_custom_command(OUTPUT ${_staged}/${_name}.gz
    COMMAND ${GZIP_PROGRAM} -9n -c ${_staged}/${_name} > ${_staged}/${_name}.gz
    DEPENDS ${_staged}/${_name}
    VERBATIM)
  list(APPEND _gzipped ${_staged}/${_name}.gz)
endforeach()
add_custom_target(ventbox_compressed_docs ALL DEPENDS ${_gzipped})
install(FILES ${_staged}/ventbox-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_staged}/changelog.gz DESTINATION ${_docdir})

if(TARGET ventbox)
  install(TARGETS ventbox RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${_staged}/ventbox.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

  # The launcher finds the program and the examples relative to itself, so an
  # installation under any prefix works.
  file(RELATIVE_PATH LAUNCHER_TO_PROGRAM /prefix/${_launcherdir} /prefix/${CMAKE_INSTALL_BINDIR}/ventbox)
  file(RELATIVE_PATH LAUNCHER_TO_EXAMPLES /prefix/${_launcherdir} /prefix/${_examplesdir})
  configure_file(${_packaging}/ventbox-launcher.in ${_staged}/ventbox-launcher @ONLY)
  install(PROGRAMS ${_staged}/ventbox-launcher DESTINATION ${_launcherdir})

  # The menu entry names the launcher by its full path, known only once the
  # prefix is (a package installs to /usr, a user to a prefix of choice).
  # Each destination configures its own copy, so that installs running at
  # once (a package and a test prefix) do not write each other's file.
  install(CODE "
    set(VENTBOX_LAUNCHER \"\${CMAKE_INSTALL_PREFIX}/${_launcherdir}/ventbox-launcher\")
    set(VENTBOX_APP_ID ${VENTBOX_APP_ID})
    string(MD5 _destination \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
    set(_desktop \"${_staged}/desktop-\${_destination}/${VENTBOX_APP_ID}.desktop\")
    configure_file(\"${_packaging}/${VENTBOX_APP_ID}.desktop.in\" \"\${_desktop}\" @ONLY)
    file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\"
         TYPE FILE FILES \"\${_desktop}\")")
  install(FILES ${_staged}/${VENTBOX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${_packaging}/icons/${VENTBOX_APP_ID}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size IN ITEMS 16 32 48 64 128 256)
    install(FILES ${_packaging}/icons/${VENTBOX_APP_ID}-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${VENTBOX_APP_ID}.png)
  endforeach()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ventbox)
set(CPACK_PACKAGE_VENDOR "ventbox")
set(CPACK_PACKAGE_CONTACT "${VENTBOX_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "bass-reflex loudspeaker enclosure calculator")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${_packaging}/description.txt)
set(CPACK_PACKAGE_INSTALL_DIRECTORY ventbox)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
if(VENTBOX_HOMEPAGE)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VENTBOX_HOMEPAGE}")
endif()
set(CPACK_STRIP_FILES ON)
# The libraries come from dpkg-shlibdeps; the window needs besides them the
# platform plugins that Qt loads at run time, Qt's own translated texts for its
# dialogs, and the Japanese fonts of its captions.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, qt6-translations-l10n, fonts-ipafont-gothic, fonts-ipafont-mincho")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")  # a Wayland session without Xwayland
# Checks, locale and time stamps for cpack itself (see that file).
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack_project_config.cmake)
set(CPACK_VENTBOX_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_VENTBOX_CHANGELOG ${_staged}/changelog)
include(CPack)
