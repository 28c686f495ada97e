# The sound tests encode their Ogg Vorbis inputs at run time.
pkg_check_modules(VORBISENC REQUIRED IMPORTED_TARGET vorbisenc vorbis)
target_link_libraries(test_sound PRIVATE PkgConfig::VORBISENC)
