# Checks that every #include "..." of the product's sources points down the
# layers: fw <- model <- codegen <- view <- pages/<group> <- plugin, a page
# group never includes another group, and the host and the command-line tool
# know only fw/ (they reach the device through the plug-in's entry points)
# and report/, the Qt-only PDF writer of the configuration report.
# Run as: cmake -DSOURCE_DIR=<repository> -P layering.cmake

set(allowed_fw fw)
set(allowed_model fw model)
set(allowed_codegen fw model codegen)
set(allowed_view fw model codegen view)
set(allowed_plugin fw model codegen view pages plugin)
set(allowed_report fw report)
set(allowed_host fw host report)
set(allowed_cli fw cli report)

set(failures "")
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
  ${SOURCE_DIR}/fw/*.h ${SOURCE_DIR}/fw/*.cpp ${SOURCE_DIR}/model/*.h ${SOURCE_DIR}/model/*.cpp
  ${SOURCE_DIR}/codegen/*.h ${SOURCE_DIR}/codegen/*.cpp ${SOURCE_DIR}/view/*.h ${SOURCE_DIR}/view/*.cpp
  ${SOURCE_DIR}/pages/*.h ${SOURCE_DIR}/pages/*.cpp ${SOURCE_DIR}/plugin/*.h ${SOURCE_DIR}/plugin/*.cpp
  ${SOURCE_DIR}/report/*.h ${SOURCE_DIR}/report/*.cpp ${SOURCE_DIR}/host/*.h ${SOURCE_DIR}/host/*.cpp ${SOURCE_DIR}/cli/*.h ${SOURCE_DIR}/cli/*.cpp)
foreach(source IN LISTS sources)
  string(REPLACE "/" ";" parts ${source})
  list(GET parts 0 layer)
  if(layer STREQUAL "pages")
    list(GET parts 1 group)
    set(allowed fw model codegen view pages/${group})
  else()
    set(allowed ${allowed_${layer}})
  endif()
  file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^#include \"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"([^\"]*)\".*" "\\1" header "${line}")
    set(ok FALSE)
    # Qt's moc output for the same source file.
    if(header MATCHES "^[^/]+\\.moc$")
      set(ok TRUE)
    endif()
    foreach(prefix IN LISTS allowed)
      string(LENGTH "${prefix}/" length)
      string(SUBSTRING "${header}" 0 ${length} start)
      if(start STREQUAL "${prefix}/")
        set(ok TRUE)
      endif()
    endforeach()
    if(NOT ok)
      string(APPEND failures "\n  ${source} includes ${header}")
    endif()
  endforeach()
endforeach()
if(failures)
  message(FATAL_ERROR "Includes against the layering:${failures}")
endif()
