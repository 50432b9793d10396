# cmake -DSOURCE_DIR=<src> -P CheckFolderLayers.cmake
#
# Checks the folders of SOURCE_DIR against SOURCE_DIR/Layers.txt: every folder
# is listed, a folder names only folders listed above it, and no quoted
# include "folder/..." reaches a folder its line does not name. Prints each
# offence and fails when there is one.
cmake_minimum_required(VERSION 3.25)
if(NOT SOURCE_DIR)
  message(FATAL_ERROR "Pass -DSOURCE_DIR=<folder of the sources>")
endif()
get_filename_component(SOURCE_DIR ${SOURCE_DIR} ABSOLUTE)

file(STRINGS ${SOURCE_DIR}/Layers.txt lines REGEX "^[a-z_]+:")
set(listed "")
set(offences "")
foreach(line IN LISTS lines)
  string(REGEX MATCH "^[a-z_]+" folder "${line}")
  string(REGEX REPLACE "^[a-z_]+:[ ]*" "" uses "${line}")
  separate_arguments(uses)
  foreach(used IN LISTS uses)
    if(NOT used IN_LIST listed)
      list(APPEND offences "Layers.txt: ${folder} uses ${used}, which is not listed above it")
    endif()
  endforeach()
  set(allowed_${folder} ${uses})
  list(APPEND listed ${folder})
endforeach()

file(GLOB entries LIST_DIRECTORIES true RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
set(folders "")
foreach(entry IN LISTS entries)
  if(IS_DIRECTORY ${SOURCE_DIR}/${entry})
    list(APPEND folders ${entry})
    if(NOT entry IN_LIST listed)
      list(APPEND offences "Layers.txt does not list the folder ${entry}")
    endif()
  endif()
endforeach()

foreach(folder IN LISTS folders)
  file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
       ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.hpp
       ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.cc)
  foreach(source IN LISTS sources)
    file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"[^\"/]+/")
    foreach(include IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]+\"([^\"/]+)/.*" "\\1" target "${include}")
      if(target STREQUAL folder OR NOT target IN_LIST folders)
        continue()
      endif()
      if(NOT target IN_LIST allowed_${folder})
        list(APPEND offences "${source}: includes ${target}/, which ${folder}/ may not use")
      endif()
    endforeach()
  endforeach()
endforeach()

if(offences)
  list(JOIN offences "\n" text)
  message(FATAL_ERROR "The folders do not form the declared layers:\n${text}")
endif()
list(JOIN listed " < " order)
message(STATUS "Folders form layers: ${order}")
