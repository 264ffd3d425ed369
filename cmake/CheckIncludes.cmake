# Fails when a source of the product's layers includes a file by a relative
# path: every layer sees only the include folders of the layers it depends
# on, and a path with ".." or another layer's folder name would step around
# that. Run as: cmake -DSOURCE_DIR=... -P CheckIncludes.cmake
set(layers framework skin browser dialogs game login app)
set(offending "")
foreach(layer ${layers})
  file(GLOB_RECURSE sources ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.cpp)
  foreach(source ${sources})
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${includes})
      if(line MATCHES "\"([^\"]*)\"" AND CMAKE_MATCH_1 MATCHES "(^|/)\\.\\.(/|$)|/")
        file(RELATIVE_PATH where ${SOURCE_DIR} ${source})
        string(APPEND offending "  ${where}: ${line}\n")
      endif()
    endforeach()
  endforeach()
endforeach()
if(offending)
  message(FATAL_ERROR "Includes by path reach across the layers; include by name from a layer this one depends on:\n${offending}")
endif()
