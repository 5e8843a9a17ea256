# Plays one scenario script: cmake -DQV=... -DSCRIPT=... -DDIR=... -P run_scenario.cmake
file(REMOVE_RECURSE ${DIR})
file(MAKE_DIRECTORY ${DIR})
execute_process(
  COMMAND ${QV} --headless --seed 1 --data-dir ${DIR} --script ${SCRIPT}
  WORKING_DIRECTORY ${DIR}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${SCRIPT} ended with exit code ${rc}")
endif()
