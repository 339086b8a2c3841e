# Installation and the Debian package.
#
#   cmake --install build [--prefix DIR]     the game under the prefix
#   cmake --build build --target package     flickermoth_<version>_<arch>.deb
#
# The program looks for its packs in <prefix>/share/flickermoth (the prefix
# it was configured with), and also in ../share/flickermoth beside itself,
# so an install moved to another prefix still finds them. For a .deb that
# installs into /usr, configure with -DCMAKE_INSTALL_PREFIX=/usr.

set(FLICKERMOTH_PACKAGING ${CMAKE_CURRENT_LIST_DIR})

install(TARGETS flickermoth RUNTIME DESTINATION bin)
if(TARGET flickermoth_packtool)
  install(TARGETS flickermoth_packtool RUNTIME DESTINATION bin)
endif()

# The packs the generator draws at build time, and the fonts' licence it
# ships with them.
install(FILES ${CMAKE_BINARY_DIR}/DATA50.RES ${CMAKE_BINARY_DIR}/brenmoor.res
        DESTINATION share/flickermoth)
install(FILES ${CMAKE_BINARY_DIR}/DEJAVU-LICENSE DESTINATION share/doc/flickermoth)

# The desktop's menu entry, the generator's icons in the hicolor theme, the
# manual page.
install(FILES ${FLICKERMOTH_PACKAGING}/flickermoth.desktop DESTINATION share/applications)
foreach(size 32 48 256)
  install(FILES ${CMAKE_BINARY_DIR}/icons/flickermoth-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME flickermoth.png)
endforeach()
configure_file(${FLICKERMOTH_PACKAGING}/flickermoth.6.in ${CMAKE_BINARY_DIR}/packaging/flickermoth.6 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/flickermoth.6 DESTINATION share/man/man6)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME flickermoth)
set(CPACK_PACKAGE_VENDOR "FlickerMoth developers")
set(CPACK_PACKAGE_CONTACT "FlickerMoth developers <flickermoth@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "night-garden puzzle game: swap and collect moths of five colours")
set(CPACK_PACKAGE_DESCRIPTION
    "Moths of five colours settle on ten glowing trails. Swap them and collect groups of four or more before the trails fill up and close. Full screen or in a window, played with the mouse, with sound.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
