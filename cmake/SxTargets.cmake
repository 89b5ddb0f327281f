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

# sx_add_subsystem(<name> DEPENDS <libs...>): one static library of every .cpp in the folder.
function(sx_add_subsystem name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  sx_apply_flags(${name})
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
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "SX_TEST_DATA=${CMAKE_CURRENT_SOURCE_DIR}/data")
endfunction()
