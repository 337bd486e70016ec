# marrowdeck_layer(NAME DEPS...): a static library made of every .cpp in the
# current folder, linking only the layers below it.
#
# Each layer sees only its own folder and the folders of the layers below it:
# its include root is a folder in the build tree holding links to exactly
# those folders of src/, so including a header of a higher layer fails to
# compile. Every header of the layer is also compiled on its own in the
# layer's library, so a header that reaches upwards fails even when no source
# of its own layer includes it.
function(marrowdeck_layer name)
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(folders ${folder})
  foreach(dep ${ARGN})
    get_property(dep_folders GLOBAL PROPERTY MARROWDECK_FOLDERS_${dep})
    list(APPEND folders ${dep_folders})
  endforeach()
  list(REMOVE_DUPLICATES folders)
  set_property(GLOBAL PROPERTY MARROWDECK_FOLDERS_${name} ${folders})
  set(root ${CMAKE_BINARY_DIR}/layer_include/${folder})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root})
  foreach(f ${folders})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${f} ${root}/${f} SYMBOLIC)
  endforeach()

  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  set(header_checks "")
  if(NOT MARROWDECK_HEADER_CHECKS)
    set(headers "")
  endif()
  foreach(h ${headers})
    get_filename_component(stem ${h} NAME_WE)
    set(check ${CMAKE_CURRENT_BINARY_DIR}/header_checks/${stem}.cpp)
    file(CONFIGURE OUTPUT ${check} CONTENT "#include \"${folder}/${h}\"\n")
    list(APPEND header_checks ${check})
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources} ${header_checks})
    target_include_directories(${name} PUBLIC ${root})
    target_link_libraries(${name} PUBLIC ${ARGN} PRIVATE marrowdeck_warnings)
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${root})
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
