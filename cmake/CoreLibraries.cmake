# Helpers that declare one library per subsystem from the sources of its folder
# and keep Qt out of the core.

# vorna_core_library(NAME folder DEPENDS other-libs... [INCLUDES prefixes...])
# Builds a static library from every .cpp of src/<folder> (not recursing into
# sub-folders that hold other layers) and refuses any Qt include (Qt's own
# headers in either spelling, or the Qt platform layer). With INCLUDES, every
# project include of the folder must begin with one of the prefixes (for
# example "text/" or "document/TextPositions.h"), so a layer cannot reach
# above itself through a header.
function(vorna_core_library name folder)
  cmake_parse_arguments(ARG "" "" "DEPENDS;INCLUDES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*.h)
  foreach(file IN LISTS sources headers)
    file(STRINGS ${file} qt_includes
         REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|qt|q[a-z0-9_]+\\.h|platform/qt/)")
    if(qt_includes)
      message(FATAL_ERROR "Core file ${file} includes Qt: ${qt_includes}")
    endif()
    if(ARG_INCLUDES)
      file(STRINGS ${file} project_includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
      foreach(line IN LISTS project_includes)
        string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" included "${line}")
        set(allowed FALSE)
        foreach(prefix IN LISTS ARG_INCLUDES)
          string(FIND "${included}" "${prefix}" at)
          if(at EQUAL 0)
            set(allowed TRUE)
          endif()
        endforeach()
        if(NOT allowed)
          message(FATAL_ERROR "${file} includes ${included}, outside its layer (${ARG_INCLUDES})")
        endif()
      endforeach()
    endif()
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources} ${headers})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPENDS})
  endif()
  set_property(GLOBAL APPEND PROPERTY VORNA_CORE_TARGETS ${name})
endfunction()

# Fails the configuration when a core library links anything from Qt.
function(vorna_check_core_links)
  get_property(targets GLOBAL PROPERTY VORNA_CORE_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(links ${target} INTERFACE_LINK_LIBRARIES)
    else()
      get_target_property(links ${target} LINK_LIBRARIES)
    endif()
    foreach(link IN LISTS links)
      if(link MATCHES "Qt")
        message(FATAL_ERROR "Core library ${target} links Qt (${link})")
      endif()
    endforeach()
  endforeach()
endfunction()

# vorna_test(NAME folder LIBS libs...): one GoogleTest executable per test folder.
function(vorna_test name folder)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} test_support GTest::gtest_main GTest::gmock)
  # The corpus and test-data folders are compiled into test_support, so the
  # programs need no environment from CTest.
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()
