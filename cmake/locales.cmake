# The compiled catalogs: every po/LANG.po becomes locale/LANG/LC_MESSAGES/qv.mo beside the
# program (checked by msgfmt on the way), where the game and the picture generator read them.
file(GLOB QV_PO_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/po/*.po)
find_program(QV_MSGFMT msgfmt REQUIRED)
set(QV_MO_FILES "")
foreach(po ${QV_PO_FILES})
  get_filename_component(lang ${po} NAME_WE)
  set(mo ${CMAKE_BINARY_DIR}/locale/${lang}/LC_MESSAGES/qv.mo)
  add_custom_command(
    OUTPUT ${mo}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/locale/${lang}/LC_MESSAGES
    COMMAND ${QV_MSGFMT} --check --output-file=${mo} ${po}
    DEPENDS ${po}
    COMMENT "Compiling the ${lang} catalog"
    VERBATIM)
  list(APPEND QV_MO_FILES ${mo})
endforeach()
add_custom_target(locales ALL DEPENDS ${QV_MO_FILES})
