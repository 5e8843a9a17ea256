# cmake -DMANIFEST=<packaging/ID.json> -DSOURCE=<the repository> -P flatpak_manifest.cmake
# The Flatpak manifest parses, names the game's id and program, and builds the repository
# itself (a real build needs the network, so it is not run here).
cmake_minimum_required(VERSION 3.25)
file(READ ${MANIFEST} json)
string(JSON id ERROR_VARIABLE bad GET "${json}" id)
if(bad)
  message(FATAL_ERROR "${MANIFEST} is not JSON: ${bad}")
endif()
get_filename_component(file ${MANIFEST} NAME)
if(NOT file STREQUAL "${id}.json" OR NOT EXISTS ${SOURCE}/packaging/${id}.desktop
   OR NOT EXISTS ${SOURCE}/packaging/${id}.metainfo.xml)
  message(FATAL_ERROR "the manifest's id ${id} is not the one of the desktop entry and metainfo")
endif()
string(JSON command GET "${json}" command)
string(JSON count LENGTH "${json}" modules)
math(EXPR last "${count} - 1")
string(JSON game GET "${json}" modules ${last} name)
string(JSON type GET "${json}" modules ${last} sources 0 type)
string(JSON path GET "${json}" modules ${last} sources 0 path)
get_filename_component(tree ${SOURCE}/packaging/${path} REALPATH)
get_filename_component(source ${SOURCE} REALPATH)
if(NOT command STREQUAL "qv" OR NOT game STREQUAL "qv" OR NOT type STREQUAL "dir"
   OR NOT tree STREQUAL source)
  message(FATAL_ERROR "the manifest must build qv from this repository and start qv")
endif()
