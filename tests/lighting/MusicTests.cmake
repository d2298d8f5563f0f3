# Music visualiser and level capture tests. The unit tests feed synthetic
# sound through a fake source; the audio test runs a private PulseAudio server.
list(APPEND LIGHTING_UNIT_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/ColourTableTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeySamplerTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MusicLevelCaptureTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SpectrumTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VisualizerTest.cpp
)

if(TARGET pelmora_lighting)
  pkg_check_modules(PULSE_SIMPLE REQUIRED IMPORTED_TARGET libpulse-simple libpulse)
  pelmora_test_binary(lighting_audio_tests LABEL audio
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/PulseCaptureTest.cpp ${CMAKE_CURRENT_LIST_DIR}/PulseTestServer.cpp
    LIBS pelmora_lighting pelmora_device hidapi_sim pelmora_test_support PkgConfig::PULSE_SIMPLE)
endif()
