# Run while installing (from packaging/install.cmake): the desktop entry and
# the manual pages, made for the prefix being installed to, the pages
# compressed with gzip -9n as Debian wants them. Given FLICKERMOTH_PACKAGING,
# FLICKERMOTH_STAGE, FLICKERMOTH_APP_ID and PROJECT_VERSION.

set(FLICKERMOTH_GAMES_DIR "${CMAKE_INSTALL_PREFIX}/games")
set(FLICKERMOTH_DATA_DIR "${CMAKE_INSTALL_PREFIX}/share/flickermoth")
set(FLICKERMOTH_DOC_DIR "${CMAKE_INSTALL_PREFIX}/share/doc/flickermoth")
file(MAKE_DIRECTORY "${FLICKERMOTH_STAGE}")

configure_file("${FLICKERMOTH_PACKAGING}/${FLICKERMOTH_APP_ID}.desktop.in"
               "${FLICKERMOTH_STAGE}/${FLICKERMOTH_APP_ID}.desktop" @ONLY)
file(INSTALL "${FLICKERMOTH_STAGE}/${FLICKERMOTH_APP_ID}.desktop"
     DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications"
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

foreach(page flickermoth flickermoth_packtool)
  configure_file("${FLICKERMOTH_PACKAGING}/${page}.6.in" "${FLICKERMOTH_STAGE}/${page}.6" @ONLY)
  execute_process(COMMAND gzip -9n -c "${FLICKERMOTH_STAGE}/${page}.6"
                  OUTPUT_FILE "${FLICKERMOTH_STAGE}/${page}.6.gz"
                  RESULT_VARIABLE gzip_result)
  if(NOT gzip_result EQUAL 0)
    message(FATAL_ERROR "gzip could not compress the manual page ${page}.6")
  endif()
  file(INSTALL "${FLICKERMOTH_STAGE}/${page}.6.gz"
       DESTINATION "${CMAKE_INSTALL_PREFIX}/share/man/man6"
       FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endforeach()
