# Installation and release packages: a ZIP of Brisander.scr for Windows, a
# Debian package for Linux.

set(CPACK_PACKAGE_NAME brisander)
set(CPACK_PACKAGE_VENDOR "Quennick")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Photo screen saver with 25 transitions")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)

if(WIN32)
  install(TARGETS brisander RUNTIME DESTINATION .)
  install(FILES
    ${PROJECT_SOURCE_DIR}/packaging/windows/README.txt
    ${PROJECT_SOURCE_DIR}/LICENSE
    ${PROJECT_SOURCE_DIR}/src/resources/CREDITS
    DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME Brisander-${PROJECT_VERSION}-win32)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  include(GNUInstallDirs)
  install(TARGETS brisander brisander-reg RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/linux/brisander.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/linux/brisander.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/src/resources/CREDITS
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/brisander)

  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Brisander developers <dev@quennick.example>")
  set(CPACK_DEBIAN_PACKAGE_SECTION x11)
  # The run-time libraries (Qt 6, libjpeg-turbo, SQLite) from the binaries,
  # and Qt's platform plugins, which no binary links.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
endif()

include(CPack)
