# The sample photograph and the factory presets' thumbnails, made at build time.
# Included by effects/CMakeLists.txt: the thumbnail generator renders with the effects'
# objects (sx_effects_objects) and a thumbnail table without entries, and its output
# becomes sx_factory_thumbnails, which completes sx_effects.

set(SX_TOOLS_DIR ${PROJECT_SOURCE_DIR}/tools)
set(SX_GENERATED_RESOURCE_DIR ${CMAKE_BINARY_DIR}/resources)

# The bundled sample photograph, also the source of the thumbnails.
set(SX_SAMPLE_PHOTO ${SX_GENERATED_RESOURCE_DIR}/sample-photo.jpg)
add_executable(sx_sample_photo_generator ${SX_TOOLS_DIR}/SamplePhotoGenerator.cpp)
target_link_libraries(sx_sample_photo_generator PRIVATE sx_foundation)
target_compile_options(sx_sample_photo_generator PRIVATE ${SX_WARNINGS} -O3)
add_custom_command(
  OUTPUT ${SX_SAMPLE_PHOTO}
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:sx_sample_photo_generator> ${SX_SAMPLE_PHOTO}
  DEPENDS sx_sample_photo_generator
  COMMENT "Painting the sample photograph"
  VERBATIM)
add_custom_target(sx_sample_photo ALL DEPENDS ${SX_SAMPLE_PHOTO})

# The brushes and papers come from the resource pack, which partial configurations
# (SX_SUBSYSTEMS) do not build: they get no thumbnails.
if(NOT SX_SUBSYSTEMS)
  set(thumbnail_dir ${CMAKE_BINARY_DIR}/generated/thumbnails)
  set(thumbnail_table ${thumbnail_dir}/FactoryThumbnailData.cpp)

  add_executable(sx_preset_thumbnail_generator
    ${SX_TOOLS_DIR}/PresetThumbnailGenerator.cpp ${SX_TOOLS_DIR}/NoFactoryThumbnails.cpp)
  target_link_libraries(sx_preset_thumbnail_generator PRIVATE sx_effects_objects)
  sx_apply_flags(sx_preset_thumbnail_generator)

  # Headless GL (EGL surfaceless) whatever display the build runs under.
  add_custom_command(
    OUTPUT ${thumbnail_table} ${thumbnail_dir}/contact-sheet.png
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY
            SX_RESOURCE_DIR=${SX_GENERATED_RESOURCE_DIR} ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:sx_preset_thumbnail_generator> ${SX_SAMPLE_PHOTO} ${thumbnail_dir}
    DEPENDS sx_preset_thumbnail_generator ${SX_SAMPLE_PHOTO} sx_sample_photo
            sx_resource_pack "${SX_GENERATED_RESOURCE_DIR}/Quenzella - Tolva.bin"
    COMMENT "Rendering the factory preset thumbnails"
    VERBATIM)
else()
  set(thumbnail_table ${SX_TOOLS_DIR}/NoFactoryThumbnails.cpp)
endif()

add_library(sx_factory_thumbnails STATIC ${thumbnail_table})
target_include_directories(sx_factory_thumbnails PRIVATE ${PROJECT_SOURCE_DIR}/effects/watercolor)
