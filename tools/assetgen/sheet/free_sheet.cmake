# cmake -DQV=... -DOPEN_TRAIL=... -DTILER=... -DSAVE=story_full.dat -DDIR=... -DOUT=...
#   -P free_sheet.cmake
# Enters the free area at each of its six depths (0, 10, 20, 30, 40 and 50 metres) from a save
# with every entrance open, each with its own seed so both wanderers turn up, and takes a
# screenshot once the skill list is up; then lays the six shots out three to a row.
file(REMOVE_RECURSE ${DIR})
file(MAKE_DIRECTORY ${DIR})
execute_process(COMMAND ${OPEN_TRAIL} ${SAVE} ${DIR}/opened RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "could not open the trail in a copy of ${SAVE}")
endif()

# The entrances' click areas on the map, nearest first.
set(entrances "330 162" "342 122" "345 96" "353 68" "365 44" "335 27")
set(shots "")
set(n 0)
foreach(entrance IN LISTS entrances)
  math(EXPR n "${n} + 1")
  set(run ${DIR}/depth${n})
  file(MAKE_DIRECTORY ${run})
  file(COPY_FILE ${DIR}/opened/my.dat ${run}/my.dat)
  file(WRITE ${run}/fight.script
       "ticks 3\nclick 320 240\nticks 2\nclick 320 240\nticks 2\nexpect visible.map_box 1\n"
       "click ${entrance}\nexpect location 1\nticks 60\nexpect visible.battle_box 1\n"
       "screenshot fight.png\n")
  math(EXPR seed "${n} * 7")
  execute_process(
    COMMAND ${QV} --headless --seed ${seed} --data-dir ${run} --script ${run}/fight.script
    WORKING_DIRECTORY ${run}
    RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the free-area fight at entrance ${n} ended with exit code ${rc}")
  endif()
  list(APPEND shots ${run}/fight.png)
endforeach()
execute_process(COMMAND ${TILER} ${OUT} 3 ${shots} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "could not lay out ${OUT}")
endif()
message(STATUS "Six free-area fights: ${OUT}")
