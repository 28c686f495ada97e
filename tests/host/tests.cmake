# The host entry is tested through the real shared library, loaded as a host loads it.
if(TARGET test_host AND TARGET mentarium)
  add_dependencies(test_host mentarium)
endif()
