# The embedded resources (the application icon) as a small library below sx_foundation.
# Included by foundation/CMakeLists.txt so every configuration, partial ones included, has it.

set(SX_TOOLS_DIR ${CMAKE_CURRENT_LIST_DIR})
add_executable(sx_icon_generator ${SX_TOOLS_DIR}/IconGenerator.cpp)
target_link_libraries(sx_icon_generator PRIVATE sx_juce)
target_compile_options(sx_icon_generator PRIVATE ${SX_WARNINGS})

set(SX_EMBEDDED_DIR ${CMAKE_BINARY_DIR}/generated/embedded)
add_custom_command(
  OUTPUT ${SX_EMBEDDED_DIR}/BinaryData.cpp ${SX_EMBEDDED_DIR}/BinaryData.h ${SX_EMBEDDED_DIR}/icon.png
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 $<TARGET_FILE:sx_icon_generator> ${SX_EMBEDDED_DIR}
  DEPENDS sx_icon_generator
  COMMENT "Drawing the application icon"
  VERBATIM)

add_library(sx_embedded_resources STATIC ${SX_EMBEDDED_DIR}/BinaryData.cpp)
target_include_directories(sx_embedded_resources PUBLIC ${SX_EMBEDDED_DIR})
