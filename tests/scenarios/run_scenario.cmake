# Plays one scenario script: cmake -DQV=... -DSCRIPT=... -DDIR=... -P run_scenario.cmake
# Every run fails a text line that a panel hides; in another language (-DLANGUAGE=en) every
# text is also checked to fit and be translated, the screenshots are compared with
# -DGOLDEN's pictures, and -DSAME_FILES_AS names the Japanese run's folder whose save and record
# this run must have written byte for byte.
file(REMOVE_RECURSE ${DIR})
file(MAKE_DIRECTORY ${DIR})
# A scenario may start from a prepared save: data/<name>.dat becomes my.dat.
get_filename_component(name ${SCRIPT} NAME_WE)
get_filename_component(here ${SCRIPT} DIRECTORY)
if(EXISTS ${here}/data/${name}.dat)
  file(COPY_FILE ${here}/data/${name}.dat ${DIR}/my.dat)
endif()
# Every run checks that no panel hides a text the player must read.
set(language_options --check-texts)
if(DEFINED LANGUAGE)
  set(language_options --language ${LANGUAGE} --check-texts --golden-dir ${GOLDEN})
  if("$ENV{QV_UPDATE_GOLDEN}" STREQUAL "1")
    list(APPEND language_options --update-golden)
  endif()
endif()
execute_process(
  COMMAND ${QV} --headless --seed 1 --data-dir ${DIR} ${language_options} --script ${SCRIPT}
  WORKING_DIRECTORY ${DIR}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${SCRIPT} ended with exit code ${rc}")
endif()
# The language is only on the screen: the files the game writes are the same bytes.
if(DEFINED SAME_FILES_AS)
  foreach(file my.dat 記録.txt)
    if(NOT EXISTS ${SAME_FILES_AS}/${file} AND NOT EXISTS ${DIR}/${file})
      continue()
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${DIR}/${file} ${SAME_FILES_AS}/${file}
                    RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
      message(FATAL_ERROR "${file} of the ${LANGUAGE} run differs from the Japanese run's "
                          "(or only one of the two runs wrote it)")
    endif()
  endforeach()
endif()
# And may name lines (CP932, CR LF) the record export must hold at the end: data/<name>.record.
if(EXISTS ${here}/data/${name}.record)
  file(READ ${DIR}/記録.txt record)
  file(READ ${here}/data/${name}.record wanted)
  # Lines are compared without their CR (file(READ) does not keep it reliably).
  string(REPLACE "\r" "" record "${record}")
  string(REPLACE "\r" "" wanted "${wanted}")
  # Walked by hand, not as a list: CP932 trail bytes include [ and ], which lists treat specially.
  while(NOT wanted STREQUAL "")
    string(FIND "${wanted}" "\n" end)
    if(end EQUAL -1)
      string(LENGTH "${wanted}" end)
    endif()
    string(SUBSTRING "${wanted}" 0 ${end} line)
    math(EXPR next "${end} + 1")
    string(LENGTH "${wanted}" size)
    if(next GREATER size)
      set(next ${size})
    endif()
    string(SUBSTRING "${wanted}" ${next} -1 wanted)
    string(FIND "${record}" "${line}\n" at)
    if(NOT line STREQUAL "" AND at EQUAL -1)
      message(FATAL_ERROR "記録.txt lacks the line: ${line}")
    endif()
  endwhile()
endif()
