# Compiles the JUCE modules once into one static library that every target links.
# Debian's JUCE carries no copies of zlib, libpng and libjpeg: the system ones are used.
find_package(JUCE 7.0.5 CONFIG REQUIRED)
find_package(PkgConfig REQUIRED)
find_package(ZLIB REQUIRED)
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
find_package(Threads REQUIRED)

set(SX_JUCE_DEFINITIONS
  JUCE_GLOBAL_MODULE_SETTINGS_INCLUDED=1
  JUCE_STANDALONE_APPLICATION=1
  JUCE_INCLUDE_ZLIB_CODE=0
  JUCE_INCLUDE_PNGLIB_CODE=0
  JUCE_INCLUDE_JPEGLIB_CODE=0
  JUCE_USE_CURL=1
  JUCE_LOAD_CURL_SYMBOLS_LAZILY=1
  JUCE_WEB_BROWSER=0
  JUCE_USE_XRANDR=1
  JUCE_USE_XINERAMA=1
  JUCE_USE_XCURSOR=1
  JUCE_DISPLAY_SPLASH_SCREEN=0
  JUCE_REPORT_APP_USAGE=0
  JUCE_MODAL_LOOPS_PERMITTED=1
  JUCE_STRICT_REFCOUNTEDPOINTER=1
  JUCE_SILENCE_XCODE_15_LINKER_WARNING=1)

set(SX_JUCE_PREBUILT "" CACHE FILEPATH
    "libsx_juce.a of another build tree of this project (same configuration), linked instead of compiling the modules again")

if(SX_JUCE_PREBUILT)
  # The sanitizer and fuzz builds only instrument the system's own code: they can share the
  # framework library of the main build, which saves compiling the largest units twice more.
  find_package(Freetype REQUIRED)
  find_package(OpenGL REQUIRED COMPONENTS OpenGL)
  add_library(sx_juce STATIC IMPORTED GLOBAL)
  set_target_properties(sx_juce PROPERTIES IMPORTED_LOCATION ${SX_JUCE_PREBUILT})
  target_compile_definitions(sx_juce INTERFACE ${SX_JUCE_DEFINITIONS})
  target_include_directories(sx_juce SYSTEM INTERFACE ${JUCE_MODULES_DIR})
  target_link_libraries(sx_juce INTERFACE
    Freetype::Freetype GL ZLIB::ZLIB PNG::PNG JPEG::JPEG Threads::Threads rt ${CMAKE_DL_LIBS})
  return()
endif()

add_library(sx_juce STATIC)
target_link_libraries(sx_juce
  PRIVATE
    juce::juce_core juce::juce_data_structures juce::juce_events juce::juce_graphics
    juce::juce_gui_basics juce::juce_gui_extra juce::juce_opengl
  PUBLIC
    ZLIB::ZLIB PNG::PNG JPEG::JPEG Threads::Threads ${CMAKE_DL_LIBS})
target_compile_definitions(sx_juce PUBLIC ${SX_JUCE_DEFINITIONS})
# Consumers see the module headers and the same configuration, but do not recompile the modules.
target_include_directories(sx_juce SYSTEM INTERFACE ${JUCE_MODULES_DIR})
set_target_properties(sx_juce PROPERTIES CXX_VISIBILITY_PRESET default)
# Warnings from the framework's own sources are not ours to fix.
target_compile_options(sx_juce PRIVATE -w)
