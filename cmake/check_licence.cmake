# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file says its licence in its first lines: the SPDX identifier of GPL-3.0-or-later.
#
# Usage: cmake -DSOURCE_DIR=<the repository> -P check_licence.cmake
set(patterns)
foreach(folder src tests bench cmake scripts resources/tools)
  foreach(extension cpp h sh py cmake)
    list(APPEND patterns ${SOURCE_DIR}/${folder}/*.${extension})
  endforeach()
  list(APPEND patterns ${SOURCE_DIR}/${folder}/CMakeLists.txt)
endforeach()
file(GLOB_RECURSE files ${patterns})
list(APPEND files ${SOURCE_DIR}/CMakeLists.txt)
set(missing)
foreach(file ${files})
  file(STRINGS ${file} head LIMIT_COUNT 3)
  string(FIND "${head}" "SPDX-License-Identifier: GPL-3.0-or-later" found)
  if(found EQUAL -1)
    file(RELATIVE_PATH name ${SOURCE_DIR} ${file})
    list(APPEND missing ${name})
  endif()
endforeach()
list(LENGTH files count)
if(missing)
  string(REPLACE ";" "\n  " listed "${missing}")
  message(FATAL_ERROR "These files do not say their licence in their first lines:\n  ${listed}")
endif()
message(STATUS "${count} files say their licence")
