# A resource module (a shared object named like a Windows module) for the resource chain tests.
add_library(test_resource_module MODULE ${CMAKE_CURRENT_LIST_DIR}/module/resource_module.c)
target_include_directories(test_resource_module PRIVATE ${CMAKE_SOURCE_DIR}/src)
set_target_properties(test_resource_module PROPERTIES
  PREFIX "" OUTPUT_NAME resource_module SUFFIX ".dll"
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
add_dependencies(test_lang test_resource_module)
