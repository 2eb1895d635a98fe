# Installed layout: quendal and Qm.exe side by side in lib/quendal (the
# program finds the minimizer next to itself), a launcher on the PATH that
# starts it in a writable folder, a desktop entry and an icon.
include(GNUInstallDirs)

install(TARGETS quendal RUNTIME DESTINATION lib/quendal)
# The command-line exporter sits beside the program, and a link puts it on
# the PATH (it needs no working folder of its own).
install(TARGETS quendal-export RUNTIME DESTINATION lib/quendal)
install(CODE "file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(CREATE_LINK ../lib/quendal/quendal-export
       \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quendal-export\" SYMBOLIC)")
if(TARGET Qm)
  install(TARGETS Qm RUNTIME DESTINATION lib/quendal)
endif()

install(PROGRAMS ${CMAKE_SOURCE_DIR}/packaging/quendal-launcher
        DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME quendal)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/quendal.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/quendal.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_PACKAGE_NAME quendal)
set(CPACK_PACKAGE_VENDOR "The Quendal team")
set(CPACK_PACKAGE_CONTACT "The Quendal team <quendal@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Learn combinational logic design: simplify Boolean functions and draw their circuits")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The drawings and forms were laid out with these fonts ("Times New Roman"
# resolves to Liberation Serif).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-liberation2 | fonts-liberation")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
include(CPack)
