# cmake -DBUILD=<build tree> -DWORK=<scratch folder> -DSCRIPT=<headless script> -P installed_copy.cmake
# Installs with `cmake --install`, makes the installed tree read-only, and plays SCRIPT with
# the installed program. The save and the record must land in $XDG_DATA_HOME/qv and nothing
# may be written into the installed tree.
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
expect_file(${PREFIX}/share/applications/qv.desktop)
foreach(size 16 32 48 64 128 256)
  expect_file(${PREFIX}/share/icons/hicolor/${size}x${size}/apps/qv.png)
endforeach()
expect_file(${PREFIX}/share/man/man6/qv.6)
# The English texts where gettext looks for them, and the pictures with English words.
expect_file(${PREFIX}/share/locale/en/LC_MESSAGES/qv.mo)
expect_file(${PREFIX}/share/qv/cg/en/title.bmp)
file(READ ${PREFIX}/share/man/man6/qv.6 manual)
run(${PREFIX}/bin/qv --help)
foreach(option --data-dir --scale --mute --config --language)
  string(REPLACE "-" "\\-" roff ${option})
  string(FIND "${OUT}" "${option}" inHelp)
  string(FIND "${manual}" ".B ${roff}" inManual)
  if(inHelp EQUAL -1 OR inManual EQUAL -1)
    message(FATAL_ERROR "${option} is missing from --help or from the manual page")
  endif()
endforeach()
file(READ ${PREFIX}/share/applications/qv.desktop entry)
if(NOT entry MATCHES "\nExec=qv\n" OR NOT entry MATCHES "\nIcon=qv\n")
  message(FATAL_ERROR "the desktop entry does not start qv with its icon:\n${entry}")
endif()
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
