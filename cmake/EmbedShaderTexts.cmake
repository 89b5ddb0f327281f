# Script mode: cmake -DINPUT_DIR=<folder of .glsl files> -DOUTPUT=<header> -P EmbedShaderTexts.cmake
#
# Writes a header with one constexpr char array per shader file, named after the file
# (swizzleFunctions.glsl -> ShaderFiles::swizzleFunctions), holding the file byte for byte
# as a raw string literal.

file(GLOB shader_files ${INPUT_DIR}/*.glsl)
list(SORT shader_files)

set(delimiter "sx_glsl")
set(content "// Generated from resources/shaders/*.glsl at build time: edit those files, not this one.\n")
string(APPEND content "#pragma once\n\nnamespace ShaderFiles\n{\n")

foreach(shader_file IN LISTS shader_files)
  get_filename_component(name ${shader_file} NAME_WE)
  if(NOT name MATCHES "^[A-Za-z_][A-Za-z0-9_]*$")
    message(FATAL_ERROR "Shader file name is not an identifier: ${shader_file}")
  endif()
  file(READ ${shader_file} text)
  string(FIND "${text}" ")${delimiter}\"" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${shader_file} contains the raw-string delimiter )${delimiter}\"")
  endif()
  string(APPEND content "    inline constexpr char ${name}[] = R\"${delimiter}(${text})${delimiter}\";\n")
endforeach()

string(APPEND content "}\n")

file(WRITE ${OUTPUT} "${content}")
