# make install PREFIX=…: the program in bin/, its pictures and sounds in share/qv/{cg,dat}
# (read only; the program finds them from its own folder), the desktop entry, the icons in
# every hicolor size, and the manual page made from the --help text.
include(GNUInstallDirs)

add_executable(qv_manpage ${CMAKE_SOURCE_DIR}/packaging/manpage.cpp)
set_target_properties(qv_manpage PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
target_link_libraries(qv_manpage PRIVATE qv_platform_session)
set(QV_MANPAGE ${CMAKE_BINARY_DIR}/packaging/qv.6)
add_custom_command(
  OUTPUT ${QV_MANPAGE}
  COMMAND qv_manpage ${QV_MANPAGE}
  DEPENDS qv_manpage
  COMMENT "Writing the manual page qv.6")
add_custom_target(qv_manual ALL DEPENDS ${QV_MANPAGE})

install(TARGETS qv RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A save or a record left in the build tree by playing there is the player's, not the game's.
install(DIRECTORY ${CMAKE_BINARY_DIR}/cg ${CMAKE_BINARY_DIR}/dat
        DESTINATION ${CMAKE_INSTALL_DATADIR}/qv
        FILE_PERMISSIONS OWNER_READ GROUP_READ WORLD_READ
        PATTERN "my.dat*" EXCLUDE
        PATTERN "*.tmp" EXCLUDE
        PATTERN "MIXER.INI" EXCLUDE)
# The translations where gettext looks for them: share/locale/LANG/LC_MESSAGES/qv.mo.
install(DIRECTORY ${CMAKE_BINARY_DIR}/locale DESTINATION ${CMAKE_INSTALL_DATADIR}
        FILE_PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/qv.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QV_MANPAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
