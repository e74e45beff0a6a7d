# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Sonavel developers
# Puts the program and everything it needs into one folder, from which the zip and the installer
# are made, and writes the installer's lists of what it installs and removes.
#   cmake -DSTAGE=<folder> -DFILES=<folder-in-stage>=<file>;... -DSTRIP=<strip>
#         -DINSTALLED=<nsh> -DREMOVED=<nsh> -P Stage.cmake
# Programs and libraries are stripped: the symbols are of no use to a user and double the size.
cmake_policy(VERSION 3.25)
file(REMOVE_RECURSE "${STAGE}")
set(install_lines)
set(remove_lines)
set(folders)
set(outPath)
set(bytes 0)
foreach(entry IN LISTS FILES)
  string(REGEX MATCH "^([^=]*)=(.*)$" matched "${entry}")
  set(folder "${CMAKE_MATCH_1}")
  set(source "${CMAKE_MATCH_2}")
  get_filename_component(name "${source}" NAME)
  cmake_path(APPEND STAGE "${folder}" OUTPUT_VARIABLE destination)
  cmake_path(NORMAL_PATH destination)
  file(COPY "${source}" DESTINATION "${destination}")
  cmake_path(APPEND destination "${name}" OUTPUT_VARIABLE staged)
  if(name MATCHES "\\.(exe|com|dll)$")
    execute_process(COMMAND "${STRIP}" --strip-unneeded "${staged}" COMMAND_ERROR_IS_FATAL ANY)
  endif()
  file(SIZE "${staged}" size)
  math(EXPR bytes "${bytes} + ${size}")

  string(REPLACE "/" "\\" windowsFolder "$INSTDIR/${folder}")
  string(REGEX REPLACE "\\\\\\.$" "" windowsFolder "${windowsFolder}")
  if(NOT windowsFolder IN_LIST folders)
    list(APPEND folders "${windowsFolder}")
  endif()
  if(NOT windowsFolder STREQUAL outPath)
    set(outPath "${windowsFolder}")
    list(APPEND install_lines "SetOutPath \"${windowsFolder}\"")
  endif()
  list(APPEND install_lines "File \"${staged}\"")
  list(APPEND remove_lines "Delete \"${windowsFolder}\\${name}\"")
endforeach()
# Folders go once they are empty, the deepest first; the installation folder itself goes last,
# after the uninstaller.
list(REMOVE_ITEM folders "$INSTDIR")
list(REVERSE folders)
foreach(folder IN LISTS folders)
  list(APPEND remove_lines "RMDir \"${folder}\"")
endforeach()
math(EXPR kibibytes "${bytes} / 1024")
list(APPEND install_lines "!define INSTALLED_SIZE ${kibibytes}")
list(JOIN install_lines "\n" installed)
list(JOIN remove_lines "\n" removed)
file(WRITE "${INSTALLED}" "${installed}\n")
file(WRITE "${REMOVED}" "${removed}\n")
