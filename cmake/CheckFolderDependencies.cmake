# Keeps the folders of src/ depending one way: each folder may include only the folders
# listed for it, so the main window (shell) sees every window and no window sees the shell.
#   cmake -DSOURCE_DIR=<src> -P CheckFolderDependencies.cmake
# Fails, naming every offending line, when a file includes a folder it may not.
cmake_minimum_required(VERSION 3.25)

set(_allowed_platform platform)
set(_allowed_shared   platform shared)
set(_allowed_document platform shared document)
set(_allowed_tags     platform shared tags)
set(_allowed_colour   platform shared colour)
set(_allowed_reading  platform shared reading)
set(_allowed_shell    platform shared document tags colour reading shell)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "SOURCE_DIR is not set")
endif()

set(_faults "")
file(GLOB _folders LIST_DIRECTORIES true RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
foreach(_folder IN LISTS _folders)
  if(NOT IS_DIRECTORY ${SOURCE_DIR}/${_folder})
    continue()
  endif()
  if(NOT DEFINED _allowed_${_folder})
    string(APPEND _faults "\n  src/${_folder}: a folder with no place in the dependency order")
    continue()
  endif()
  file(GLOB_RECURSE _files ${SOURCE_DIR}/${_folder}/*.h ${SOURCE_DIR}/${_folder}/*.cpp)
  foreach(_file IN LISTS _files)
    file(STRINGS ${_file} _includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(_line IN LISTS _includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" _path "${_line}")
      # Every include of the program's own headers names its folder from src/.
      string(REGEX MATCH "^([A-Za-z0-9_]+)/" _match "${_path}")
      set(_target "${CMAKE_MATCH_1}")
      if(_path MATCHES "\\.\\./" OR (_target AND NOT _target IN_LIST _allowed_${_folder}))
        file(RELATIVE_PATH _rel ${SOURCE_DIR} ${_file})
        string(APPEND _faults "\n  src/${_rel}: ${_line}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(_faults)
  message(FATAL_ERROR "Includes against the folder dependency order:${_faults}")
endif()
