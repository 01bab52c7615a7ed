# Every subsystem folder is one library made of the .cpp files in it, so adding a file
# to a folder needs no edit here. WITH_ROOMS takes the files of its sub-folders too (a subsystem
# whose rooms are folders); without it, sub-folders are libraries of their own (the port back ends).
function(zv_library name dir)
  cmake_parse_arguments(PARSE_ARGV 2 arg "WITH_ROOMS" "" "")
  if(arg_WITH_ROOMS)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  else()
    file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  endif()
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  get_property(claimed GLOBAL PROPERTY ZV_CLAIMED_SOURCES)
  if(claimed)
    list(REMOVE_ITEM sources ${claimed})
  endif()
  if(sources)
    add_library(${name} STATIC ${sources})
  else()
    add_library(${name} INTERFACE)
  endif()
  get_target_property(kind ${name} TYPE)
  if(kind STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${arg_UNPARSED_ARGUMENTS})
  else()
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${arg_UNPARSED_ARGUMENTS})
  endif()
endfunction()

# A plain library made of chosen files of a folder that is otherwise built by zv_library; the folder's
# own library then leaves these files out and links this one.
function(zv_plain_part name dir)
  set(sources)
  foreach(file ${ARGN})
    list(APPEND sources ${CMAKE_SOURCE_DIR}/src/${dir}/${file})
  endforeach()
  set_property(GLOBAL APPEND PROPERTY ZV_CLAIMED_SOURCES ${sources})
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC zv_port)
endfunction()

# One test executable per folder of tests/, linked with the libraries the folder exercises.
# Tests that write the program folder's Data/config.ini set ZV_CONFIG_LOCK so they never run at once.
function(zv_test_folder name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(test_${name} ${sources})
  target_link_libraries(test_${name} PRIVATE zv_test_support GTest::gtest GTest::gmock GTest::gtest_main ${ARGN})
  # One variable in ENVIRONMENT: the discovered tests' properties are passed on word by word, so a
  # list there would shift every property after it (and lose the lock).
  set(properties ENVIRONMENT "ZV_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
  if(ZV_CONFIG_LOCK)
    list(APPEND properties RESOURCE_LOCK ${ZV_CONFIG_LOCK})
  endif()
  gtest_discover_tests(test_${name} WORKING_DIRECTORY ${ZV_PROGRAM_DIR} DISCOVERY_TIMEOUT 60
    PROPERTIES ${properties})
  add_dependencies(test_${name} program_folder)
endfunction()
