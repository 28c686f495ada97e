# The window demo runs on the dummy video driver, answers two injected clicks
# and leaves its screenshot in build/screens/windowdemo.png.
if(TARGET windowdemo)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/screens)
  add_test(NAME WindowDemoScreenshot
           COMMAND windowdemo --quit-after 400 --click 120,90 --click 380,280
                   --screenshot ${CMAKE_BINARY_DIR}/screens/windowdemo.png)
  set_tests_properties(WindowDemoScreenshot PROPERTIES
    ENVIRONMENT "SDL_VIDEODRIVER=dummy;SDL_AUDIODRIVER=dummy"
    PASS_REGULAR_EXPRESSION "windowdemo: 2 click\\(s\\)")
endif()

# The blit tests once more with the SIMD row loops switched off from the environment.
add_test(NAME BlitTestsWithoutSimd COMMAND test_window --gtest_filter=FastPathsTest.*:BlitFastPathTest.*:BlitLanesTest.*:NormalBlitTest.*:AdditiveBlitTest.*)
set_tests_properties(BlitTestsWithoutSimd PROPERTIES ENVIRONMENT "MENTARIUM_NO_SIMD=1")
