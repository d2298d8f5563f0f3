# The window classes: MWindow, the drop shadow and the balloon tip on the
# headless backend ("ui").
pelmora_test_binary(zephui_window_tests LABEL ui
  SOURCES
    backend/HeadlessFixture.cpp
    backend/RecordingProcedure.cpp
    render/SanitizerSuppressions.cpp
    windows/ProbeWindow.cpp
    windows/MWindowTest.cpp
    windows/MWindowModalTest.cpp
    windows/MWindowPlacementTest.cpp
    windows/MAirBladderTest.cpp
    windows/MShadowTest.cpp
  LIBS zephui)
