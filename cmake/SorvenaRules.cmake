# SPDX-License-Identifier: GPL-3.0-or-later
# The arithmetic of the methods and the runtime's number texts: plain C++
# without Qt, so that its tests and the fuzzers link it without a GUI. The
# program's build and the fuzzers' clang build both include this file.
cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH sorvena_root)

add_library(sorvena_rules STATIC
  ${sorvena_root}/platform/Runtime.cpp
  ${sorvena_root}/platform/Runtime.h
  ${sorvena_root}/series/SeriesMath.cpp
  ${sorvena_root}/series/SeriesMath.h
  ${sorvena_root}/polygon/PolygonRules.cpp
  ${sorvena_root}/polygon/PolygonRules.h
  ${sorvena_root}/montecarlo/MonteCarloRules.cpp
  ${sorvena_root}/montecarlo/MonteCarloRules.h
  ${sorvena_root}/buffon/NeedleRules.cpp
  ${sorvena_root}/buffon/NeedleRules.h)
add_library(Sorvena::rules ALIAS sorvena_rules)
target_include_directories(sorvena_rules PUBLIC ${sorvena_root})
target_compile_features(sorvena_rules PUBLIC cxx_std_20)
target_compile_options(sorvena_rules PRIVATE -Wall -Wextra)
# Nothing here is a QObject; keep Qt's code generators away.
set_target_properties(sorvena_rules PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
