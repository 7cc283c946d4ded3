# Writes OUTPUT (build_info.h) with the date and the git commit of SOURCE_DIR,
# leaving the file untouched when nothing changed.  Run with cmake -P.
string(TIMESTAMP date "%Y-%m-%d" UTC)
set(commit "")
if(GIT)
  execute_process(COMMAND ${GIT} rev-parse --short=12 HEAD WORKING_DIRECTORY ${SOURCE_DIR}
    OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    set(commit "")
  else()
    execute_process(COMMAND ${GIT} status --porcelain --untracked-files=no WORKING_DIRECTORY ${SOURCE_DIR}
      OUTPUT_VARIABLE changes OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(changes)
      string(APPEND commit " (with local changes)")
    endif()
  endif()
endif()
set(text "#define REGSMITH_BUILD_DATE \"${date}\"\n#define REGSMITH_COMMIT \"${commit}\"\n")
if(EXISTS ${OUTPUT})
  file(READ ${OUTPUT} old)
endif()
if(NOT "${old}" STREQUAL "${text}")
  file(WRITE ${OUTPUT} "${text}")
endif()
