# regsmith_layer(TARGET FOLDER DEPENDENCY): the sources of FOLDER as a static
# library that links DEPENDENCY (the layer below it), and, in builds without
# sanitizers, a link check: the whole library linked into a shared object
# with --no-undefined, so a call into a layer above (or into a page group
# beside it) fails the build.
set(REGSMITH_LAYER_CHECK_SOURCE ${CMAKE_CURRENT_LIST_DIR}/layer_check.cpp)

function(regsmith_layer target folder dependency)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  add_library(${target} STATIC ${sources})
  set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${dependency})
  if(NOT REGSMITH_SANITIZE)
    add_library(${target}-link-check SHARED ${REGSMITH_LAYER_CHECK_SOURCE})
    target_link_libraries(${target}-link-check PRIVATE
      -Wl,--whole-archive ${target} -Wl,--no-whole-archive ${dependency})
    target_link_options(${target}-link-check PRIVATE -Wl,--no-undefined)
    set_target_properties(${target}-link-check PROPERTIES
      LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/layer-checks)
  endif()
endfunction()
