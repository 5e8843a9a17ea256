# cmake -DBUILD=<build tree> -DWORK=<scratch folder> -DSCRIPT=<headless script> -P installed_copy.cmake
# Installs with `cmake --install`, makes the installed tree read-only, and plays SCRIPT with
# the installed program. The save and the record must land in $XDG_DATA_HOME/qv and nothing
# may be written into the installed tree. The desktop entry and the AppStream metainfo must
# pass their validators with no warning, and an AppStream catalog composed from the installed
# tree must hold the game with its 64 and 128 pixel icons.
file(REMOVE_RECURSE ${WORK})
set(PREFIX ${WORK}/prefix)
file(MAKE_DIRECTORY ${WORK}/home ${WORK}/data)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${rc}):\n${out}\n${err}")
  endif()
  set(OUT "${out}" PARENT_SCOPE)
endfunction()

function(expect_file path)
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "missing after install: ${path}")
  endif()
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX})

# What an installed game is made of.
expect_file(${PREFIX}/bin/qv)
expect_file(${PREFIX}/share/qv/cg/title.bmp)
expect_file(${PREFIX}/share/qv/dat/name.dat)
set(ID io.github.qvgame.qv)
expect_file(${PREFIX}/share/applications/${ID}.desktop)
expect_file(${PREFIX}/share/metainfo/${ID}.metainfo.xml)
foreach(size 16 32 48 64 128 256)
  expect_file(${PREFIX}/share/icons/hicolor/${size}x${size}/apps/${ID}.png)
endforeach()
expect_file(${PREFIX}/share/man/man6/qv.6.gz)
expect_file(${PREFIX}/share/doc/qv/copyright)
# The English texts where gettext looks for them, and the pictures with English words.
expect_file(${PREFIX}/share/locale/en/LC_MESSAGES/qv.mo)
expect_file(${PREFIX}/share/qv/cg/en/title.bmp)
run(gzip -dc ${PREFIX}/share/man/man6/qv.6.gz)
set(manual "${OUT}")
run(${PREFIX}/bin/qv --help)
foreach(option --data-dir --scale --mute --config --language --bug-report)
  string(REPLACE "-" "\\-" roff ${option})
  string(FIND "${OUT}" "${option}" inHelp)
  string(FIND "${manual}" ".B ${roff}" inManual)
  if(inHelp EQUAL -1 OR inManual EQUAL -1)
    message(FATAL_ERROR "${option} is missing from --help or from the manual page")
  endif()
endforeach()
file(READ ${PREFIX}/share/applications/${ID}.desktop entry)
if(NOT entry MATCHES "\nExec=qv\n" OR NOT entry MATCHES "\nIcon=${ID}\n")
  message(FATAL_ERROR "the desktop entry does not start qv with its icon:\n${entry}")
endif()
# What distributions and software centres check: no error, no warning, no hint.
run(desktop-file-validate ${PREFIX}/share/applications/${ID}.desktop)
if(NOT OUT STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate:\n${OUT}")
endif()
run(appstreamcli validate --pedantic --no-net --no-color ${PREFIX}/share/metainfo/${ID}.metainfo.xml)
if(OUT MATCHES "(^|\n)[EWIP]: ")
  message(FATAL_ERROR "appstreamcli validate:\n${OUT}")
endif()
run(appstreamcli compose --no-net --no-color --prefix=/ --origin=qv --result-root=${WORK}/compose
    ${PREFIX})
file(GLOB catalog ${WORK}/compose/share/swcatalog/xml/*.xml.gz)
if(NOT catalog)
  message(FATAL_ERROR "appstreamcli compose wrote no catalog:\n${OUT}")
endif()
run(gzip -dc ${catalog})
if(NOT OUT MATCHES "<id>${ID}</id>")
  message(FATAL_ERROR "the AppStream catalog lacks the game:\n${OUT}")
endif()
foreach(size 64 128)
  file(GLOB icon ${WORK}/compose/share/swcatalog/icons/qv/${size}x${size}/${ID}.png)
  if(NOT icon OR NOT OUT MATCHES "<icon type=\"cached\" width=\"${size}\"")
    message(FATAL_ERROR "the AppStream catalog lacks the ${size} px icon:\n${OUT}")
  endif()
endforeach()
if(EXISTS ${PREFIX}/share/qv/dat/my.dat)
  message(FATAL_ERROR "a save from the build tree was installed")
endif()

# Played from a read-only tree, with a fresh home.
file(GLOB_RECURSE before RELATIVE ${PREFIX} ${PREFIX}/*)
run(chmod -R a-w ${PREFIX})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env HOME=${WORK}/home XDG_DATA_HOME=${WORK}/data
          XDG_CONFIG_HOME=${WORK}/home/.config
          ${PREFIX}/bin/qv --headless --seed 1 --language en --script ${SCRIPT}
  WORKING_DIRECTORY ${WORK}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
execute_process(COMMAND chmod -R u+w ${PREFIX})
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the installed game ended with ${rc}:\n${out}\n${err}")
endif()
if(err MATCHES "no texts for the language")
  message(FATAL_ERROR "the installed game did not find its English texts:\n${err}")
endif()
expect_file(${WORK}/data/qv/my.dat)
expect_file(${WORK}/data/qv/記録.txt)
file(GLOB_RECURSE after RELATIVE ${PREFIX} ${PREFIX}/*)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "the game wrote into its installed tree:\n${after}")
endif()
file(REMOVE_RECURSE ${WORK})
