# cmake -DQV=<the game> -DSOURCE=<the repository> -DOUT=<folder> -P screenshots.cmake
# The pictures of the AppStream metainfo, taken by two of the game's scripted walks (seed 1,
# headless, in Japanese) and copied to OUT under the names the metainfo gives them. Publish
# OUT as https://qvgame.github.io/qv/screenshots/VERSION/ for each release.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
# script: picture it takes → name in the metainfo
set(shots "world_walk:free_battle.png:battle.png" "world_walk:map.png:map.png"
          "world_walk:creation.png:creation.png" "items_shop_and_gear:shop.png:shop.png")
set(played "")
foreach(shot ${shots})
  string(REPLACE ":" ";" parts ${shot})
  list(GET parts 0 script)
  list(GET parts 1 taken)
  list(GET parts 2 name)
  set(dir ${OUT}/run-${script})
  if(NOT script IN_LIST played)
    file(MAKE_DIRECTORY ${dir})
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
              ${QV} --headless --seed 1 --data-dir ${dir} --script
              ${SOURCE}/tests/scenarios/${script}.script
      WORKING_DIRECTORY ${dir} RESULT_VARIABLE rc OUTPUT_QUIET)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "${script}.script ended with ${rc}")
    endif()
    list(APPEND played ${script})
  endif()
  file(COPY_FILE ${dir}/${taken} ${OUT}/${name})
endforeach()
foreach(script ${played})
  file(REMOVE_RECURSE ${OUT}/run-${script})
endforeach()
message(STATUS "screenshots in ${OUT}")
