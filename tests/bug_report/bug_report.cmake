# cmake -DQV=<the game> -DSCRIPT=<play.script> -DWORK=<scratch folder> -P bug_report.cmake
file(REMOVE_RECURSE ${WORK})
set(DATA ${WORK}/data)
file(MAKE_DIRECTORY ${DATA} ${WORK}/config ${WORK}/open)
set(ENV{XDG_CONFIG_HOME} ${WORK}/config)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err
                  WORKING_DIRECTORY ${DATA})
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${rc}):\n${out}\n${err}")
  endif()
  set(OUT "${out}" PARENT_SCOPE)
endfunction()

function(expect_same a b what)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${a} ${b} RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "${what}: ${a} differs from ${b}")
  endif()
endfunction()

# The play; its last line writes the state it ends in to state.txt.
run(${QV} --headless --seed 1 --data-dir ${DATA} --script ${SCRIPT})
run(${QV} --bug-report ${WORK}/report.tar --data-dir ${DATA})
run(${CMAKE_COMMAND} -E chdir ${WORK}/open ${CMAKE_COMMAND} -E tar xf ${WORK}/report.tar)
set(REPORT ${WORK}/open/qv-bug-report)
foreach(file report.txt my.dat record.txt terminal.txt play.qvr screenshot.png state.txt)
  if(NOT EXISTS ${REPORT}/${file})
    message(FATAL_ERROR "the bug report lacks ${file}")
  endif()
endforeach()
expect_same(${REPORT}/my.dat ${DATA}/my.dat "the report's save")
# The player has no qv.ini: the report says so and does not make one.
if(EXISTS ${REPORT}/qv.ini OR EXISTS ${WORK}/config/qv/qv.ini)
  message(FATAL_ERROR "the bug report made or packed a qv.ini the player does not have")
endif()
file(READ ${REPORT}/report.txt report)
if(NOT report MATCHES "replay matches")
  message(FATAL_ERROR "the report's recording did not replay:\n${report}")
endif()
expect_same(${REPORT}/state.txt ${DATA}/state.txt "the state the report describes")

# The maintainer's side: the archive's recording, replayed without a window, ends in the very
# state the play ended in.
run(${QV} --headless --replay ${REPORT}/play.qvr --snapshot-dir ${WORK}/replayed)
expect_same(${WORK}/replayed/dump-end.txt ${DATA}/state.txt "the replayed state")
file(REMOVE_RECURSE ${WORK})
