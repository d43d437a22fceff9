# SPDX-License-Identifier: GPL-3.0-or-later
# The sound files' loaders and the mixer: plain C++ without Qt on
# libsndfile, libsamplerate and FluidSynth, so that its tests and the
# fuzzers link it without a GUI. The program's build and the fuzzers' clang
# build both include this file.
cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH sorvena_root)

find_package(PkgConfig REQUIRED)
foreach(module fluidsynth sndfile samplerate)
  string(TOUPPER ${module} prefix)
  if(NOT TARGET PkgConfig::${prefix})
    pkg_check_modules(${prefix} REQUIRED IMPORTED_TARGET ${module})
  endif()
endforeach()

add_library(sorvena_sound STATIC
  ${sorvena_root}/audio/SoundMixer.cpp
  ${sorvena_root}/audio/SoundMixer.h)
add_library(Sorvena::sound ALIAS sorvena_sound)
target_include_directories(sorvena_sound PUBLIC ${sorvena_root})
target_compile_options(sorvena_sound PRIVATE -Wall -Wextra)
target_link_libraries(sorvena_sound PUBLIC PkgConfig::FLUIDSYNTH PRIVATE PkgConfig::SNDFILE PkgConfig::SAMPLERATE)
set_target_properties(sorvena_sound PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
