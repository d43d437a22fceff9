# SPDX-License-Identifier: GPL-3.0-or-later
# The arithmetic of the methods, the runtime's number texts, the eight
# methods side by side and the --table writer: plain C++ without Qt, so
# that its tests and the fuzzers link it without a GUI. The program's build
# and the fuzzers' clang build both include this file.
cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH sorvena_root)

add_library(sorvena_rules STATIC
  ${sorvena_root}/rules/Digits.cpp ${sorvena_root}/rules/Digits.h
  ${sorvena_root}/rules/Runtime.cpp ${sorvena_root}/rules/Runtime.h
  ${sorvena_root}/rules/SeriesMath.cpp ${sorvena_root}/rules/SeriesMath.h
  ${sorvena_root}/rules/PolygonRules.cpp ${sorvena_root}/rules/PolygonRules.h
  ${sorvena_root}/rules/MonteCarloRules.cpp ${sorvena_root}/rules/MonteCarloRules.h
  ${sorvena_root}/rules/NeedleRules.cpp ${sorvena_root}/rules/NeedleRules.h
  ${sorvena_root}/rules/Convergence.cpp ${sorvena_root}/rules/Convergence.h
  ${sorvena_root}/rules/Table.cpp ${sorvena_root}/rules/Table.h
  ${sorvena_root}/rules/Rates.cpp ${sorvena_root}/rules/Rates.h
  ${sorvena_root}/rules/Archimedes.cpp ${sorvena_root}/rules/Archimedes.h
  ${sorvena_root}/rules/Ticks.cpp ${sorvena_root}/rules/Ticks.h)
add_library(Sorvena::rules ALIAS sorvena_rules)
target_include_directories(sorvena_rules PUBLIC ${sorvena_root})
target_compile_features(sorvena_rules PUBLIC cxx_std_20)
target_compile_options(sorvena_rules PRIVATE -Wall -Wextra)
# Nothing here is a QObject; keep Qt's code generators away.
set_target_properties(sorvena_rules PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
# The class session's throws, shared with the pupils' page.
target_sources(sorvena_rules PRIVATE ${sorvena_root}/rules/ClassThrows.cpp ${sorvena_root}/rules/ClassThrows.h)
