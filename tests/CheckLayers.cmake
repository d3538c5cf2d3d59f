# Fails when a file of a source folder includes a header of a folder whose
# library its own library does not link, directly or through another.  The
# allowed folders come from the targets' link libraries (LAYERS_FILE, written
# at configure time), so the layer graph is written once, in src/.
# Run with -DSOURCE_DIR=<src> -DLAYERS_FILE=<file>.
cmake_minimum_required(VERSION 3.25)
include("${LAYERS_FILE}")  # sets layer_folders and allowed_<folder>

# Any spacing around '#' and 'include', either bracket kind.
set(include_pattern "^[ \t]*#[ \t]*include[ \t]*[<\"]([A-Za-z0-9_]+)/")

set(violations 0)
foreach(folder ${layer_folders})
  file(GLOB_RECURSE files "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(file ${files})
    file(STRINGS "${file}" includes REGEX "${include_pattern}")
    foreach(line ${includes})
      string(REGEX MATCH "${include_pattern}" ignored "${line}")
      set(layer "${CMAKE_MATCH_1}")
      if(layer IN_LIST layer_folders AND NOT layer IN_LIST allowed_${folder})
        message("${file}: ${line} reaches above the ${folder} layer")
        math(EXPR violations "${violations} + 1")
      endif()
    endforeach()
  endforeach()
endforeach()
if(violations)
  message(FATAL_ERROR "${violations} include(s) break the layer order")
endif()
