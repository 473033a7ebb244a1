# Helpers that build the project's libraries and test programs from its folder layout:
#   src/<subsystem>/logic/*.cpp  -> folio_logic  (QtCore only; the compiler guards the boundary)
#   src/<subsystem>/ui/*.cpp     -> folio_ui     (windows; links folio_logic and QtWidgets)
#   tests/<subsystem>/logic/*.cpp -> test_<subsystem>_logic (links folio_logic only)
#   tests/<subsystem>/ui/*.cpp    -> test_<subsystem>_ui    (real windows on the offscreen platform)

set(FOLIO_SUBSYSTEMS platform shared shell document tags colour reading)

function(folio_glob_sources out pattern)
  file(GLOB _files CONFIGURE_DEPENDS ${pattern})
  list(SORT _files)
  set(${out} ${_files} PARENT_SCOPE)
endfunction()

function(folio_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_SOURCES)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest folio_settings)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_ACCESSIBILITY=0" TIMEOUT 120)
endfunction()
