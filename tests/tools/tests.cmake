# The packer round-trip test runs the built tool.
add_dependencies(test_tools mkarchive)
