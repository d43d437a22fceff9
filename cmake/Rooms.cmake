# SPDX-License-Identifier: GPL-3.0-or-later
# The program is built room by room, one static library each, and a room
# links only the rooms below it: shell -> windows, lesson -> platform ->
# rules. A static library keeps quiet about a call it cannot resolve, so
# each room is also linked alone into an executable of all its objects:
# a call from a room into one above it then fails the build.

# sorvena_room(TARGET): the settings every room shares.
function(sorvena_room target)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-missing-field-initializers)
  sorvena_link_alone(${target})
endfunction()

# sorvena_link_alone(LIBRARY): LIBRARY_alone, every object of LIBRARY and
# only the libraries it links, built with everything but never run.
function(sorvena_link_alone library)
  add_executable(${library}_alone ${PROJECT_SOURCE_DIR}/cmake/alone.cpp)
  target_link_libraries(${library}_alone PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${library}>")
  set_target_properties(${library}_alone PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/alone)
endfunction()
