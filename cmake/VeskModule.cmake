# One static library per subsystem folder; a folder's own *.cpp files (not those
# of its sub-folders) make the library. Keeping modules apart lets each be built
# and tested on its own, and keeps the core free of any window code.
function(vesk_add_module name dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${dir}/*.h)
  if(sources)
    add_library(${name} STATIC ${sources} ${headers})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS} Qt6::Core)
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_BINARY_DIR}/src)
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS} Qt6::Core)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src ${PROJECT_BINARY_DIR}/src)
  endif()
endfunction()

# One GoogleTest executable per test folder, linked to the module it checks.
function(vesk_add_test_dir name dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE vesk_test_support ${ARG_DEPS})
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;VESK_SOURCE_DIR=${PROJECT_SOURCE_DIR};VESK_BINARY_DIR=${PROJECT_BINARY_DIR}"
               TIMEOUT 300)
endfunction()

# A window library: a folder's own *.cpp files on Qt Widgets. Only built with
# VESK_GUI; nothing of the core may depend on one.
function(vesk_add_gui_module name dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${dir}/*.h)
  if(sources)
    add_library(${name} STATIC ${sources} ${headers})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS} Qt6::Widgets)
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_BINARY_DIR}/src)
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS} Qt6::Widgets)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src ${PROJECT_BINARY_DIR}/src)
  endif()
endfunction()

# Window tests: the same, with a widget application as their main and the
# private X server helper for the runs under Xvfb.
function(vesk_add_gui_test_dir name dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  vesk_add_test_dir(${name} ${dir} DEPS ${ARG_DEPS} Qt6::Widgets)
  if(TARGET ${name})
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/GuiTestMain.cpp
                                   ${PROJECT_SOURCE_DIR}/tests/support/XvfbSession.cpp)
  endif()
endfunction()
