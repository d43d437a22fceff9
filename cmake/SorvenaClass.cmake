# SPDX-License-Identifier: GPL-3.0-or-later
# The class session's core: the messages between the pupils' pages and the
# teacher, on Qt Core and the rules only, so that the tests and the fuzzers'
# clang build link it without a GUI. Include after SorvenaRules.cmake.
cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH sorvena_root)
find_package(Qt6 REQUIRED COMPONENTS Core)

add_library(sorvena_class STATIC ${sorvena_root}/class/Protocol.cpp ${sorvena_root}/class/Protocol.h)
add_library(Sorvena::class ALIAS sorvena_class)
target_include_directories(sorvena_class PUBLIC ${sorvena_root})
target_link_libraries(sorvena_class PUBLIC Sorvena::rules Qt6::Core)
target_compile_options(sorvena_class PRIVATE -Wall -Wextra)
set_target_properties(sorvena_class PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
