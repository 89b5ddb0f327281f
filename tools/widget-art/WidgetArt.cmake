# The widget kit's artwork: painted at build time by the generator in this folder into the
# embedded data of sx_widget_art, a small library below sx_widgets, with a contact sheet of
# every picture in build/generated/widget-art/contact-sheet.png.
# Included by widgets/CMakeLists.txt so every configuration that builds the kit has it.

file(GLOB SX_WIDGET_ART_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
add_executable(sx_widget_art_generator ${SX_WIDGET_ART_SOURCES})
target_link_libraries(sx_widget_art_generator PRIVATE sx_juce)
target_compile_options(sx_widget_art_generator PRIVATE ${SX_WARNINGS})

set(SX_WIDGET_ART_DIR ${CMAKE_BINARY_DIR}/generated/widget-art)
set(SX_WIDGET_ART_SHEET ${SX_WIDGET_ART_DIR}/contact-sheet.png)
add_custom_command(
  OUTPUT ${SX_WIDGET_ART_DIR}/WidgetArt.cpp ${SX_WIDGET_ART_DIR}/WidgetArt.h ${SX_WIDGET_ART_SHEET}
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:sx_widget_art_generator> ${SX_WIDGET_ART_DIR} ${SX_WIDGET_ART_SHEET}
  DEPENDS sx_widget_art_generator
  COMMENT "Painting the widget art"
  VERBATIM)

add_library(sx_widget_art STATIC ${SX_WIDGET_ART_DIR}/WidgetArt.cpp)
target_include_directories(sx_widget_art PUBLIC ${SX_WIDGET_ART_DIR})
