# tarvis_library(NAME DIR LIBS...): one static library of every .cpp in a folder.
function(tarvis_library name)
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
                                   ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  list(FILTER _src EXCLUDE REGEX "/main\\.cpp$")
  set(_cpp ${_src})
  list(FILTER _cpp INCLUDE REGEX "\\.cpp$")
  if(NOT _cpp)
    # A folder whose code has not been written yet still links.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARGN})
    return()
  endif()
  add_library(${name} STATIC ${_src})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()

# tarvis_test(NAME LIBS...): one GoogleTest program of every .cpp in a test folder.
function(tarvis_test name)
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT _src)
    return()
  endif()
  add_executable(${name} ${_src})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE tarvis_testsupport ${ARGN} GTest::gtest)
  gtest_discover_tests(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" DISCOVERY_TIMEOUT 60)
endfunction()

# tarvis_test_in_locale(NAME LOCALE FILTER): the tests of a test program that FILTER (a GoogleTest filter)
# picks, run once more as on a machine whose user's locale is LOCALE (dates, numbers and money as it writes
# them). The fixtures then keep the process's locale instead of the Slovak one; Qt reads it from LC_ALL
# whether or not the system has the locale installed.
function(tarvis_test_in_locale name locale filter)
  add_test(NAME ${name}_${locale} COMMAND ${name} --gtest_filter=${filter})
  set_tests_properties(${name}_${locale} PROPERTIES ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen;LANG=${locale}.UTF-8;LC_ALL=${locale}.UTF-8;TARVIS_TEST_SYSTEM_LOCALE=1"
    TIMEOUT 600)
endfunction()
