# SPDX-License-Identifier: GPL-3.0-or-later
# plakatron_library(<name> SOURCES ... [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
# One static library per source folder, linked by the window program, the command-line tool and the tests.
function(plakatron_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE plakatron_warnings ${ARG_PRIVATE_LIBS})
endfunction()
