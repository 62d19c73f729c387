# SPDX-License-Identifier: GPL-2.0-or-later
# SPDX-FileCopyrightText: Dorvu developers
# Flags shared by every target of the project.
add_library(dorvu_common INTERFACE)
target_compile_features(dorvu_common INTERFACE cxx_std_17)
target_compile_options(dorvu_common INTERFACE -Wall -Wextra)
# Warnings fail the build on CI only, so a newer compiler's new warning never stops a user.
if(DEFINED ENV{CI})
  target_compile_options(dorvu_common INTERFACE -Werror)
endif()
target_compile_definitions(dorvu_common INTERFACE
  QT_NO_KEYWORDS
  QT_NO_CAST_FROM_ASCII
  QT_NO_URL_CAST_FROM_STRING
  QT_USE_QSTRINGBUILDER
  DORVU_VERSION="${PROJECT_VERSION}")

# The fuzz build instruments every library for libFuzzer's coverage and for the sanitizers; the
# fuzz targets themselves add libFuzzer (fuzz/CMakeLists.txt).
if(DORVU_FUZZ)
  set(DORVU_SANITIZE address,undefined)
  target_compile_options(dorvu_common INTERFACE -fsanitize=fuzzer-no-link,${DORVU_SANITIZE}
    -fno-sanitize-recover=undefined -fno-omit-frame-pointer -gline-tables-only)
  target_link_options(dorvu_common INTERFACE -fsanitize=${DORVU_SANITIZE}
    -fno-sanitize-recover=undefined)
endif()

# dorvu_library(NAME <target> DIR <folder> [LIBS ...])
# A static library built from every .cpp/.h in DIR (a subsystem's core/ or ui/ folder).
# Includes name their subsystem: the headers of src/<subsystem>/core and ui are included as
# "<subsystem>/Header.h". Each such library gets a folder of its own in the build that shows DIR
# under the subsystem's name and nothing else, so a library sees the headers of the libraries it
# links and no others. A library whose name does not end in _core or _ui (test support) is
# included by the bare header names of DIR.
function(dorvu_library)
  cmake_parse_arguments(ARG "" "NAME;DIR" "LIBS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp ${ARG_DIR}/*.h ${ARG_DIR}/*.qrc)
  file(GLOB _cpp CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp)
  if(ARG_NAME MATCHES "^(.+)_(core|ui)$")
    set(_include ${CMAKE_BINARY_DIR}/include/${ARG_NAME})
    file(MAKE_DIRECTORY ${_include})
    file(CREATE_LINK ${ARG_DIR} ${_include}/${CMAKE_MATCH_1} SYMBOLIC)
  else()
    set(_include ${ARG_DIR})
  endif()
  if(_cpp)
    add_library(${ARG_NAME} STATIC ${_src})
    target_include_directories(${ARG_NAME} PUBLIC ${_include})
    target_link_libraries(${ARG_NAME} PUBLIC dorvu_common ${ARG_LIBS})
  else()
    # A subsystem whose core is still empty: keep the target so dependents link unchanged.
    add_library(${ARG_NAME} INTERFACE)
    target_include_directories(${ARG_NAME} INTERFACE ${_include})
    target_link_libraries(${ARG_NAME} INTERFACE dorvu_common ${ARG_LIBS})
  endif()
endfunction()
