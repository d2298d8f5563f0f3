# Screen light tests: unit tests on a painted fake screen, and x11 tests that
# read a real X server (each test process starts its own Xvfb).
list(APPEND LIGHTING_UNIT_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/ScreenImageTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScreenLightTest.cpp)

if(TARGET pelmora_lighting)
  pelmora_test_binary(lighting_x11_tests LABEL x11
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ScreenX11CaptureTest.cpp
    LIBS pelmora_lighting pelmora_device hidapi_sim PkgConfig::SCREEN_X11)
endif()
