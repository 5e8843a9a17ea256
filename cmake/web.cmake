# The browser edition, built by emscripten into one static folder (`make web`). The desktop
# build prepares what the browser cannot make itself: the game's texts in CP932 and its table,
# the pictures and sounds, cr.jpg decoded. FreeType is Debian's own source, compiled here, so
# the glyphs come out as the desktop draws them.
set(QV_NATIVE_BUILD "" CACHE PATH "The desktop build tree that prepared the texts and the files")
set(QV_FREETYPE_SOURCE "" CACHE PATH "Debian's FreeType source (scripts/web-freetype-source)")
set(QV_WEB_ROOT "" CACHE PATH "The files the page loads into the game's memory (scripts/web-stage)")
foreach(required QV_NATIVE_BUILD QV_FREETYPE_SOURCE QV_WEB_ROOT)
  if(NOT ${required})
    message(FATAL_ERROR "the browser build needs ${required} (use `make web`)")
  endif()
endforeach()

# FreeType without the compression and PNG libraries: the faces are plain TrueType files.
foreach(dep ZLIB BZIP2 PNG HARFBUZZ BROTLI)
  set(FT_DISABLE_${dep} ON CACHE BOOL "" FORCE)
endforeach()
set(BUILD_SHARED_LIBS OFF)
add_subdirectory(${QV_FREETYPE_SOURCE} freetype EXCLUDE_FROM_ALL)

# The pixel loops take the SSE2 paths the desktop takes, as WebAssembly SIMD.
set(QV_WEB_OPTIONS -fwrapv -Wall -Wextra -Werror -Wno-unused-parameter -msimd128 -msse2)
set(QV_GENERATED ${CMAKE_BINARY_DIR}/generated)

# A static library from every .cpp below the given source folders but those named EXCEPT.
function(qv_web_library name)
  cmake_parse_arguments(arg "" "" "DIRS;EXCEPT" ${ARGN})
  set(files "")
  foreach(dir ${arg_DIRS})
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${dir}/*.cpp)
    list(APPEND files ${found})
  endforeach()
  foreach(skip ${arg_EXCEPT})
    list(REMOVE_ITEM files ${CMAKE_SOURCE_DIR}/src/${skip})
  endforeach()
  add_library(${name} STATIC ${files})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src ${QV_GENERATED})
  target_compile_options(${name} PRIVATE ${QV_WEB_OPTIONS})
endfunction()

file(GLOB QV_DATA_TEXTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*.txt)
set(QV_EMBED_CPP ${QV_GENERATED}/embedded_texts.cpp)
add_custom_command(
  OUTPUT ${QV_EMBED_CPP}
  COMMAND ${CMAKE_COMMAND} -DOUT=${QV_EMBED_CPP} -DDIR=${CMAKE_SOURCE_DIR}/data
          -P ${CMAKE_SOURCE_DIR}/cmake/embed_texts.cmake
  DEPENDS ${QV_DATA_TEXTS} ${CMAKE_SOURCE_DIR}/cmake/embed_texts.cmake
  COMMENT "Embedding data texts")
# The texts of the source as the desktop build converted them, and the CP932 table made from
# glibc by the desktop's generator.
set(QV_TEXTS_CPP ${QV_GENERATED}/game_texts.cpp)
add_custom_command(
  OUTPUT ${QV_TEXTS_CPP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QV_GENERATED}
  COMMAND ${CMAKE_COMMAND} -E copy ${QV_NATIVE_BUILD}/generated/game_texts.cpp ${QV_TEXTS_CPP}
  DEPENDS ${QV_NATIVE_BUILD}/generated/game_texts.cpp
  COMMENT "Taking the game's CP932 texts from the desktop build")
set(QV_CP932_CPP ${QV_GENERATED}/cp932_table.cpp)
add_custom_command(
  OUTPUT ${QV_CP932_CPP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QV_GENERATED}
  COMMAND ${QV_NATIVE_BUILD}/tools/textgen/textgen_cp932 ${QV_CP932_CPP}
  DEPENDS ${QV_NATIVE_BUILD}/tools/textgen/textgen_cp932
  COMMENT "Writing the CP932 table from glibc's conversion")

qv_web_library(qv_files DIRS files)
qv_web_library(qv_game DIRS core persist battle items world creation flow)
target_sources(qv_game PRIVATE ${QV_EMBED_CPP} ${QV_TEXTS_CPP} ${QV_CP932_CPP})
target_compile_definitions(qv_game PRIVATE QV_CP932_TABLE)
target_link_libraries(qv_game PUBLIC qv_files)
qv_web_library(qv_gfx DIRS gfx EXCEPT gfx/jpeg_reader.cpp gfx/png_file.cpp)
target_link_libraries(qv_gfx PUBLIC qv_files freetype)
qv_web_library(qv_ui DIRS ui)
target_link_libraries(qv_ui PUBLIC qv_game qv_gfx)
qv_web_library(qv_sound DIRS sound)
target_link_libraries(qv_sound PUBLIC qv_files)
qv_web_library(qv_platform_session DIRS platform/session)
file(GLOB QV_PLATFORM_COMMON CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/*.cpp)
target_sources(qv_platform_session PRIVATE ${QV_PLATFORM_COMMON})
target_link_libraries(qv_platform_session PUBLIC qv_ui qv_sound)
qv_web_library(qv_platform_headless DIRS platform/headless)
target_link_libraries(qv_platform_headless PUBLIC qv_platform_session)

# The page's folder: index.html and its script, the program, and the game's files.
set(QV_SITE ${CMAKE_BINARY_DIR}/site)
file(GLOB QV_WEB_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/web/*.cpp)
add_executable(qv ${QV_WEB_SOURCES})
target_include_directories(qv PRIVATE ${CMAKE_SOURCE_DIR}/src ${QV_GENERATED})
target_compile_options(qv PRIVATE ${QV_WEB_OPTIONS})
target_link_libraries(qv PRIVATE qv_platform_headless qv_platform_session)
set_target_properties(qv PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QV_SITE} SUFFIX ".js")
file(GLOB_RECURSE QV_WEB_ROOT_FILES CONFIGURE_DEPENDS ${QV_WEB_ROOT}/*)
set_property(TARGET qv APPEND PROPERTY LINK_DEPENDS ${QV_WEB_ROOT_FILES})
target_link_options(qv PRIVATE
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=64MB -sENVIRONMENT=web -sFORCE_FILESYSTEM=1
  -sEXIT_RUNTIME=0 -sINVOKE_RUN=1 -lidbfs.js
  "-sEXPORTED_RUNTIME_METHODS=['FS','IDBFS','UTF8ToString','stringToUTF8','lengthBytesUTF8','addRunDependency','removeRunDependency']"
  "-sEXPORTED_FUNCTIONS=['_main','_malloc','_free']"
  --preload-file ${QV_WEB_ROOT}@/)

file(GLOB QV_PAGE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/web/*)
add_custom_target(web_page ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QV_SITE}
  COMMAND ${CMAKE_COMMAND} -E copy ${QV_PAGE_FILES} ${QV_SITE}/
  DEPENDS ${QV_PAGE_FILES}
  COMMENT "Copying the page")
