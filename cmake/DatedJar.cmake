# cmake -DJAR=tool -DIN=archive -DOUT=archive -DTZ_SOURCE_DIR=folder -P DatedJar.cmake
# Writes OUT with the entries of the Java archive IN in name order, each dated
# SOURCE_DATE_EPOCH, so that two builds of one commit give the same bytes.
include(${CMAKE_CURRENT_LIST_DIR}/SourceDateEpoch.cmake)
set(unpacked ${OUT}.unpacked)
file(REMOVE_RECURSE ${unpacked})
file(MAKE_DIRECTORY ${unpacked})
execute_process(COMMAND ${JAR} --extract --file ${IN} WORKING_DIRECTORY ${unpacked}
                COMMAND_ERROR_IS_FATAL ANY)
file(GLOB_RECURSE entries RELATIVE ${unpacked} ${unpacked}/*)
list(REMOVE_ITEM entries META-INF/MANIFEST.MF)
list(SORT entries)
set(arguments "")
foreach(entry IN LISTS entries)
  string(APPEND arguments "-C \"${unpacked}\" \"${entry}\"\n")
endforeach()
file(WRITE ${unpacked}.arguments "${arguments}")
string(TIMESTAMP date "%Y-%m-%dT%H:%M:%SZ" UTC)
execute_process(COMMAND ${JAR} --create --date=${date} --file ${OUT}
                        --manifest ${unpacked}/META-INF/MANIFEST.MF @${unpacked}.arguments
                COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE ${unpacked} ${unpacked}.arguments)
