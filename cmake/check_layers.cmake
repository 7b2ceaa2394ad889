# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source file includes a header of a layer above its own, of another page, or of a
# parent directory, or when the document core includes Qt.
#   cmake -DSOURCE_DIR=<src> -P check_layers.cmake
# Layers, lowest first: document and platform may use document only; canvas both of them; each
# page (diary, listpage, trend) canvas and below; print and report canvas and below; shell
# everything.
cmake_minimum_required(VERSION 3.25)
if(NOT SOURCE_DIR)
  message(FATAL_ERROR "SOURCE_DIR is not set")
endif()

set(allowed_document document)
set(allowed_platform platform document)
set(allowed_canvas canvas platform document)
set(allowed_diary diary canvas platform document)
set(allowed_listpage listpage canvas platform document)
set(allowed_trend trend canvas platform document)
set(allowed_print print canvas platform document)
set(allowed_report report canvas platform document)
set(allowed_shell shell diary listpage trend print report canvas platform document)
set(folders document platform canvas diary listpage trend print report shell)

get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
set(faults 0)
foreach(folder ${folders})
  file(GLOB_RECURSE sources ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(source ${sources})
    file(RELATIVE_PATH shown ${SOURCE_DIR} ${source})
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${includes})
      if(line MATCHES "#[ \t]*include[ \t]*[\"<]([^\">]*)[\">]")
        set(header ${CMAKE_MATCH_1})
        if(header MATCHES "\\.\\./")
          message(SEND_ERROR "${shown} includes ${header}: a parent directory")
          math(EXPR faults "${faults} + 1")
        elseif(header MATCHES "^([a-z]+)/")
          set(target ${CMAKE_MATCH_1})
          if(target IN_LIST folders AND NOT target IN_LIST allowed_${folder})
            message(SEND_ERROR "${shown} includes ${header}: ${folder} may not use ${target}")
            math(EXPR faults "${faults} + 1")
          endif()
        elseif(folder STREQUAL "document" AND header MATCHES "^Q")
          message(SEND_ERROR "${shown} includes ${header}: the document core uses no Qt")
          math(EXPR faults "${faults} + 1")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults GREATER 0)
  message(FATAL_ERROR "${faults} include(s) break the layers")
endif()
message(STATUS "Every include keeps to its layer")
