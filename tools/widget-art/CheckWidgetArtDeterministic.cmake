# Runs the widget art generator again and compares its output with the built one.
# cmake -D GENERATOR=<exe> -D BUILT=<generated folder> -D WORK=<scratch folder> -P this file
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
                        ${GENERATOR} ${WORK} ${WORK}/contact-sheet.png RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "generator failed: ${rc}")
endif()
foreach(name WidgetArt.h WidgetArt.cpp contact-sheet.png)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${BUILT}/${name} ${WORK}/${name} RESULT_VARIABLE same)
  if(NOT same EQUAL 0)
    message(FATAL_ERROR "two runs of the widget art generator differ in ${name}")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
message(STATUS "1 passed, 0 failed")
