# Helpers shared by the subsystem folders, the tests and the benchmarks.

set(SX_WARNINGS -Wall -Wextra -Wno-unused-parameter)
if(SX_SANITIZE)
  set(SX_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(SX_FUZZ)
  set(SX_SANITIZER_FLAGS -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

function(sx_apply_flags target)
  target_compile_options(${target} PRIVATE ${SX_WARNINGS} ${SX_SANITIZER_FLAGS})
endfunction()

# sx_add_subsystem(<name> [OBJECTS] DEPENDS <libs...> [EXCLUDE <subfolders...>]): one static
# library of every .cpp in the folder, except those in the EXCLUDE subfolders. With OBJECTS the sources are compiled once into the object library <name>_objects,
# which carries the same usage requirements: a build tool can link those objects with parts
# of its own before <name> itself is complete (<name> is then made of the objects plus
# whatever the folder links into it).
function(sx_add_subsystem name)
  cmake_parse_arguments(ARG "OBJECTS" "" "DEPENDS;EXCLUDE" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(excluded IN LISTS ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "^${CMAKE_CURRENT_SOURCE_DIR}/${excluded}/")
  endforeach()
  # Headers are included by class name alone, whichever subfolder holds them.
  set(include_dirs ${CMAKE_CURRENT_SOURCE_DIR})
  foreach(src IN LISTS sources)
    get_filename_component(dir ${src} DIRECTORY)
    list(APPEND include_dirs ${dir})
  endforeach()
  list(REMOVE_DUPLICATES include_dirs)

  if(ARG_OBJECTS)
    add_library(${name}_objects OBJECT ${sources})
    add_library(${name} STATIC $<TARGET_OBJECTS:${name}_objects>)
    set(targets ${name}_objects ${name})
  else()
    add_library(${name} STATIC ${sources})
    set(targets ${name})
  endif()
  foreach(target IN LISTS targets)
    target_include_directories(${target} PUBLIC ${include_dirs})
    target_link_libraries(${target} PUBLIC ${ARG_DEPENDS})
    sx_apply_flags(${target})
  endforeach()
endfunction()

# sx_add_test_suite(<name> <folder> LIBS <libs...>): one GoogleTest program per test folder.
function(sx_add_test_suite name folder)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock sx_test_support sx_opencv)
  sx_apply_flags(${name})
  # Every test asks for an X display of its own (scripts/with-test-displays.sh provides
  # them; without a resource file CTest ignores the request and all share $DISPLAY).
  # Tests of a fixture named *RealPointer* move the display's one pointer: on a shared
  # display they run alone, so no other test's window sees it jump.
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 TEST_FILTER "-*RealPointer*"
                       PROPERTIES RESOURCE_GROUPS "displays:1"
                                  ENVIRONMENT "SX_TEST_DATA=${CMAKE_CURRENT_SOURCE_DIR}/data")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 TEST_FILTER "*RealPointer*"
                       PROPERTIES RUN_SERIAL TRUE RESOURCE_GROUPS "displays:1"
                                  ENVIRONMENT "SX_TEST_DATA=${CMAKE_CURRENT_SOURCE_DIR}/data")
endfunction()
