# Run by cpack once it has made the package: makes it again with dpkg-deb,
# as Debian's own tools do. Binaries lose the compiler's notes; every time
# stamp is SOURCE_DATE_EPOCH (by default the last commit's time), so that one
# commit always gives the same bytes; Installed-Size is counted as
# dpkg-gencontrol counts it, where cpack counts a link as the file it leads to.
set(TZ_SOURCE_DIR ${CPACK_TZ_SOURCE_DIR})
include(${TZ_SOURCE_DIR}/cmake/SourceDateEpoch.cmake)

foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  set(tree ${deb}.tree)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND dpkg-deb --raw-extract ${deb} ${tree} COMMAND_ERROR_IS_FATAL ANY)
  file(GLOB_RECURSE entries LIST_DIRECTORIES true ${tree}/usr/*)
  # Each file's size in whole KiB, 1 KiB for each link and folder (usr/ and
  # the root).
  set(size 2)
  foreach(entry IN LISTS entries)
    if(IS_SYMLINK ${entry} OR IS_DIRECTORY ${entry})
      math(EXPR size "${size} + 1")
      continue()
    endif()
    file(READ ${entry} magic LIMIT 4 HEX)
    if(magic STREQUAL "7f454c46")
      execute_process(COMMAND objcopy --remove-section=.comment ${entry} COMMAND_ERROR_IS_FATAL ANY)
    endif()
    file(SIZE ${entry} bytes)
    math(EXPR size "${size} + (${bytes} + 1023) / 1024")
  endforeach()
  execute_process(COMMAND sh -c "find usr -type f | LC_ALL=C sort | xargs -d '\\n' md5sum"
                  WORKING_DIRECTORY ${tree} OUTPUT_FILE ${tree}/DEBIAN/md5sums
                  COMMAND_ERROR_IS_FATAL ANY)
  file(READ ${tree}/DEBIAN/control control)
  string(REGEX REPLACE "\nInstalled-Size: [0-9]+\n" "\nInstalled-Size: ${size}\n" control
         "${control}")
  file(WRITE ${tree}/DEBIAN/control "${control}")
  execute_process(COMMAND find ${tree} -exec touch -h -d @$ENV{SOURCE_DATE_EPOCH} {} +
                  COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND dpkg-deb --root-owner-group --build ${tree} ${deb}
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
endforeach()
