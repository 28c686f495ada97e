# The blit benchmark measures beside pixman's compositing on the same pixels.
pkg_check_modules(PIXMAN IMPORTED_TARGET pixman-1)
if(PIXMAN_FOUND AND TARGET bench_blit)
  target_link_libraries(bench_blit PRIVATE PkgConfig::PIXMAN)
  target_compile_definitions(bench_blit PRIVATE MENTARIUM_WITH_PIXMAN=1)
endif()
