# marrowdeck_layer(NAME DEPS...): a static library made of every .cpp in the
# current folder, linking only the layers below it.
function(marrowdeck_layer name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARGN} PRIVATE marrowdeck_warnings)
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# marrowdeck_test_folder(NAME LIBS...): one test binary per source folder made of
# every *Test.cpp in the current folder, registered with CTest.
function(marrowdeck_test_folder name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARGN} test_support GTest::gtest GTest::gmock marrowdeck_warnings)
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DISCOVERY_TIMEOUT 60)
  # The environment is set from a file CTest reads after the discovered tests:
  # a list given through gtest_discover_tests' PROPERTIES keeps only its first item.
  set(test_env "SDL_VIDEODRIVER=dummy;SDL_RENDER_DRIVER=software;ALSOFT_DRIVERS=null;MARROWDECK_DATA=${MARROWDECK_DATA_DIR};MARROWDECK_SOURCE=${PROJECT_SOURCE_DIR}")
  file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${name}_env.cmake
    CONTENT "if(${name}_TESTS)\n  set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT \"${test_env}\")\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${CMAKE_CURRENT_BINARY_DIR}/${name}_env.cmake)
endfunction()
