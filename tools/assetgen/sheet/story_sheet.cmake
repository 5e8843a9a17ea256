# cmake -DQV=... -DTILER=... -DSCRIPT=story_full.script -DSAVE=story_full.dat -DDIR=... -DOUT=...
#   -P story_sheet.cmake
# Plays the whole story as the scenario script does, with one screenshot added to each fight
# just before the player's first click in the skill list (x 460 and more), when the enemy, the
# dialogue lines and the list are all on screen; then lays the 24 shots out four to a row.
file(REMOVE_RECURSE ${DIR})
file(MAKE_DIRECTORY ${DIR})
file(COPY_FILE ${SAVE} ${DIR}/my.dat)

file(STRINGS ${SCRIPT} lines ENCODING UTF-8)
set(script "")
set(waiting FALSE)
set(shots "")
set(count 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^#")
    continue()
  elseif(line MATCHES "^expect enemy\\.name ")
    set(waiting TRUE)
  elseif(waiting AND line MATCHES "^click ([0-9]+) ")
    if(CMAKE_MATCH_1 GREATER_EQUAL 460)
      math(EXPR count "${count} + 1")
      if(count LESS 10)
        set(shot "fight0${count}.png")
      else()
        set(shot "fight${count}.png")
      endif()
      string(APPEND script "screenshot ${shot}\n")
      list(APPEND shots ${DIR}/${shot})
      set(waiting FALSE)
    endif()
  endif()
  string(APPEND script "${line}\n")
endforeach()
if(NOT count EQUAL 24)
  message(FATAL_ERROR "${SCRIPT}: found ${count} fights with a skill list, expected 24")
endif()
file(WRITE ${DIR}/story_fights.script "${script}")

execute_process(
  COMMAND ${QV} --headless --seed 1 --data-dir ${DIR} --script ${DIR}/story_fights.script
  WORKING_DIRECTORY ${DIR}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the story run ended with exit code ${rc}")
endif()
execute_process(COMMAND ${TILER} ${OUT} 4 ${shots} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "could not lay out ${OUT}")
endif()
message(STATUS "The 24 story fights: ${OUT}")
