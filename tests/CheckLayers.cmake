# Fails when a file of a source folder includes a header of a folder whose
# library its own library does not link, directly or through another.  The
# allowed folders come from the targets' link libraries (LAYERS_FILE, written
# at configure time), so the layer graph is written once, in src/.  A layer
# folder may sit inside another (ui/wheel inside ui): its files belong to it
# alone, and an include belongs to the deepest layer folder holding it.
# Run with -DSOURCE_DIR=<src> -DLAYERS_FILE=<file>.
cmake_minimum_required(VERSION 3.25)
include("${LAYERS_FILE}")  # sets layer_folders and allowed_<folder, / as _>

# Any spacing around '#' and 'include', either bracket kind; the folders of
# the included path.
set(include_pattern "^[ \t]*#[ \t]*include[ \t]*[<\"]([A-Za-z0-9_/]+)/[^/\">]+[\">]")

# The deepest layer folder that holds `path` (a folder, relative to src), or "".
function(layer_of path out)
  set(found "")
  foreach(folder ${layer_folders})
    string(LENGTH "${folder}" length)
    string(LENGTH "${found}" found_length)
    if((path STREQUAL folder OR path MATCHES "^${folder}/") AND length GREATER found_length)
      set(found "${folder}")
    endif()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

set(violations 0)
foreach(folder ${layer_folders})
  string(REPLACE "/" "_" key "${folder}")
  file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/${folder}/*.h"
       "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(file ${files})
    get_filename_component(file_folder "${file}" DIRECTORY)
    layer_of("${file_folder}" owner)
    if(NOT owner STREQUAL folder)
      continue()  # a file of a layer folder inside this one
    endif()
    file(STRINGS "${SOURCE_DIR}/${file}" includes REGEX "${include_pattern}")
    foreach(line ${includes})
      string(REGEX MATCH "${include_pattern}" ignored "${line}")
      layer_of("${CMAKE_MATCH_1}" layer)
      if(layer AND NOT layer IN_LIST allowed_${key})
        message("${SOURCE_DIR}/${file}: ${line} reaches above the ${folder} layer")
        math(EXPR violations "${violations} + 1")
      endif()
    endforeach()
  endforeach()
endforeach()
if(violations)
  message(FATAL_ERROR "${violations} include(s) break the layer order")
endif()
