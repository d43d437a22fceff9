# SPDX-License-Identifier: GPL-3.0-or-later
# The method windows: the series, the polygons and the two experiments.
# They stand on the platform and never on each other.
file(GLOB windows_sources CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/series/*.cpp ${PROJECT_SOURCE_DIR}/series/*.h
  ${PROJECT_SOURCE_DIR}/polygon/*.cpp ${PROJECT_SOURCE_DIR}/polygon/*.h
  ${PROJECT_SOURCE_DIR}/experiments/*.cpp ${PROJECT_SOURCE_DIR}/experiments/*.h)
add_library(sorvena_windows STATIC ${windows_sources})
add_library(Sorvena::windows ALIAS sorvena_windows)
target_link_libraries(sorvena_windows PUBLIC Sorvena::platform)
sorvena_room(sorvena_windows)
