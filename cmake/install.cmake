# make install PREFIX=…: the program in bin/, its pictures and sounds in share/qv/{cg,dat}
# (the program finds them from its own folder and never writes there), the desktop entry, the
# AppStream metainfo, the icons in every hicolor size, the manual page made from the --help text, and
# the licence and changelog in share/doc/qv. Everything the desktop sees is named by the
# game's application id.
include(GNUInstallDirs)
set(QV_APP_ID io.github.qvgame.qv)

add_executable(qv_manpage ${CMAKE_SOURCE_DIR}/packaging/manpage.cpp)
set_target_properties(qv_manpage PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
target_link_libraries(qv_manpage PRIVATE qv_platform_session)
set(QV_MANPAGE ${CMAKE_BINARY_DIR}/packaging/qv.6)
# Manual pages and changelogs are installed compressed, without a time stamp (gzip -n), so
# that two builds of one source give the same package.
add_custom_command(
  OUTPUT ${QV_MANPAGE}.gz
  COMMAND qv_manpage ${QV_MANPAGE}
  COMMAND gzip -9nkf ${QV_MANPAGE}
  DEPENDS qv_manpage
  COMMENT "Writing the manual page qv.6")
set(QV_CHANGELOG ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(
  OUTPUT ${QV_CHANGELOG}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/packaging/debian/changelog
          ${CMAKE_BINARY_DIR}/packaging/changelog
  COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/packaging/changelog
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/debian/changelog
  COMMENT "Compressing the changelog")
add_custom_target(qv_manual ALL DEPENDS ${QV_MANPAGE}.gz ${QV_CHANGELOG})

install(TARGETS qv RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT qv_program)
install(TARGETS qv RUNTIME DESTINATION games COMPONENT qv_games EXCLUDE_FROM_ALL)
# A save or a record left in the build tree by playing there is the player's, not the game's.
install(DIRECTORY ${CMAKE_BINARY_DIR}/cg ${CMAKE_BINARY_DIR}/dat
        DESTINATION ${CMAKE_INSTALL_DATADIR}/qv
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
        PATTERN "my.dat*" EXCLUDE
        PATTERN "*.tmp" EXCLUDE
        PATTERN "MIXER.INI" EXCLUDE)
# The translations where gettext looks for them: share/locale/LANG/LC_MESSAGES/qv.mo.
install(DIRECTORY ${CMAKE_BINARY_DIR}/locale DESTINATION ${CMAKE_INSTALL_DATADIR}
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
# The generator paints the icons as qv.png; the desktop knows them by the application id.
foreach(size 16 32 48 64 128 256)
  install(FILES ${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps/qv.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${QV_APP_ID}.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${QV_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${QV_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${QV_MANPAGE}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/packaging/debian/copyright
              ${QV_CHANGELOG}
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
