# Runs the resource pack generator again and compares its archive with the built one.
# cmake -D GENERATOR=<exe> -D ARCHIVE=<built archive> -D WORK=<scratch folder> -P this file
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${GENERATOR} ${WORK}/again.bin RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "generator failed: ${rc}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${ARCHIVE} ${WORK}/again.bin RESULT_VARIABLE same)
file(REMOVE ${WORK}/again.bin)
if(NOT same EQUAL 0)
  message(FATAL_ERROR "two runs of the resource pack generator differ")
endif()
message(STATUS "1 passed, 0 failed")
