# Sets SOURCE_DATE_EPOCH in the environment, when unset, to the last commit's
# time in TZ_SOURCE_DIR (for a source tree that is no checkout, its top file's
# time): the time stamp of every entry of the package and the Java archives.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git -C ${TZ_SOURCE_DIR} log -1 --format=%ct
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT epoch MATCHES "^[0-9]+$")
    file(TIMESTAMP ${TZ_SOURCE_DIR}/CMakeLists.txt epoch "%s" UTC)
  endif()
  set(ENV{SOURCE_DATE_EPOCH} ${epoch})
endif()
