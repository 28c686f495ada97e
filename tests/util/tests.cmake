find_package(Python3 COMPONENTS Interpreter)
if(Python3_FOUND)
  add_test(NAME RandomMatchesIndependentModel
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/util/random_reference.py
                   $<TARGET_FILE:helper_random_dump>)
endif()
