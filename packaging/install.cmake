# Installation and the Debian package.
#
#   cmake --install build [--prefix DIR]     the game under the prefix
#   cmake --build build --target package     flickermoth_<version>_<arch>.deb
#
# The programs go to <prefix>/games, the packs to <prefix>/share/flickermoth.
# The program finds its packs as ../share/flickermoth beside itself, so an
# installation works under any prefix. The .deb always installs under /usr,
# whatever prefix the build was configured with.

set(FLICKERMOTH_PACKAGING ${CMAKE_CURRENT_LIST_DIR})
set(FLICKERMOTH_APP_ID org.example.FlickerMoth)

# Every directory made by the installation is rwxr-xr-x, whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS flickermoth RUNTIME DESTINATION games)
if(TARGET flickermoth_packtool)
  install(TARGETS flickermoth_packtool RUNTIME DESTINATION games)
endif()

# The packs the generator draws at build time.
install(FILES ${CMAKE_BINARY_DIR}/DATA50.RES ${CMAKE_BINARY_DIR}/brenmoor.res
        DESTINATION share/flickermoth)

# The licences (the game's and the DejaVu glyphs' in one machine-readable
# file) and the changelog, compressed as Debian has it.
set(FLICKERMOTH_CHANGELOG_GZ ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
add_custom_command(
  OUTPUT ${FLICKERMOTH_CHANGELOG_GZ}
  COMMAND gzip -9n -c ${FLICKERMOTH_PACKAGING}/changelog > ${FLICKERMOTH_CHANGELOG_GZ}
  DEPENDS ${FLICKERMOTH_PACKAGING}/changelog
  VERBATIM)
add_custom_target(flickermoth_changelog ALL DEPENDS ${FLICKERMOTH_CHANGELOG_GZ})
if(TARGET game_data)
  add_dependencies(game_data flickermoth_changelog)
endif()
install(FILES ${FLICKERMOTH_PACKAGING}/copyright ${FLICKERMOTH_CHANGELOG_GZ}
        DESTINATION share/doc/flickermoth)

# The generator's icons in the hicolor theme, and the AppStream metainfo.
foreach(size 32 48 256)
  install(FILES ${CMAKE_BINARY_DIR}/icons/flickermoth-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME flickermoth.png)
endforeach()
install(FILES ${FLICKERMOTH_PACKAGING}/${FLICKERMOTH_APP_ID}.metainfo.xml DESTINATION share/metainfo)

# The desktop entry and the manual pages name the installed paths, so they
# are made when installing, for the prefix being installed to.
install(CODE "
  set(FLICKERMOTH_PACKAGING \"${FLICKERMOTH_PACKAGING}\")
  set(FLICKERMOTH_STAGE \"${CMAKE_BINARY_DIR}/packaging/installed\")
  set(FLICKERMOTH_APP_ID \"${FLICKERMOTH_APP_ID}\")
  set(PROJECT_VERSION \"${PROJECT_VERSION}\")
  include(\"${FLICKERMOTH_PACKAGING}/install-pages.cmake\")
")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME flickermoth)
set(CPACK_PACKAGE_VENDOR "The FlickerMoth developers")
set(CPACK_PACKAGE_CONTACT "FlickerMoth developers <flickermoth@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "night-garden puzzle game: swap and collect moths of five colours")
# The extended description, one line of the control file per line here.
set(CPACK_PACKAGE_DESCRIPTION
    "Moths of five colours settle on ten glowing trails. Swap them and collect
groups of four or more before the trails fill up and close. Full screen or
in a window, played with the mouse, with sound. Includes a pack inspector
for the game's data. The game is under the MIT licence.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
# Installed into a staging root with DESTDIR, so that the prefix the pages
# and the desktop entry are made for is /usr itself.
set(CPACK_SET_DESTDIR ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
