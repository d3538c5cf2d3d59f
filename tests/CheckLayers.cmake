# Fails when a file of a source folder includes a header of a folder that
# its library does not link (core <- data, analysis, prediction, grid <- ui <-
# entry <- app).  Run with -DSOURCE_DIR=<src>.
cmake_minimum_required(VERSION 3.25)

set(allowed_core core)
set(allowed_data core data)
set(allowed_analysis core analysis)
set(allowed_prediction core prediction)
set(allowed_grid core grid)
set(allowed_ui core prediction grid ui)
set(allowed_entry core data prediction grid ui entry)
set(allowed_app core data analysis prediction grid ui entry app)

set(layers core data analysis prediction grid ui entry app)
# Any spacing around '#' and 'include', quotes or angle brackets; includes
# of other libraries (<gtest/…>, <QtCore/…>) are not layers.
set(include_line "^[ \t]*#[ \t]*include[ \t]*[<\"]([a-z]+)/")
set(violations 0)
foreach(folder ${layers})
  file(GLOB files "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(file ${files})
    file(STRINGS "${file}" includes REGEX "${include_line}")
    foreach(line ${includes})
      string(REGEX MATCH "${include_line}" matched "${line}")
      set(layer "${CMAKE_MATCH_1}")
      if(layer IN_LIST layers AND NOT layer IN_LIST allowed_${folder})
        message("${file}: ${line} reaches above the ${folder} layer")
        math(EXPR violations "${violations} + 1")
      endif()
    endforeach()
  endforeach()
endforeach()
if(violations)
  message(FATAL_ERROR "${violations} include(s) break the layer order")
endif()
