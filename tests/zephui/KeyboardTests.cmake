# The keyboard picture and its key tips on a headless dialog ("ui"), in a
# binary of their own.
pelmora_test_binary(zephui_keyboard_tests LABEL ui
  SOURCES
    backend/HeadlessFixture.cpp
    backend/RecordingProcedure.cpp
    render/RenderProbe.cpp
    render/SanitizerSuppressions.cpp
    controls/CatalogueFixture.cpp
    keyboard/KeyboardCtrlTest.cpp
  LIBS zephui)

# The T40 picture from its layout in every mode under a private Xvfb ("x11"),
# kept as screenshots.
pelmora_test_binary(zephui_keyboard_x11_tests LABEL x11
  SOURCES
    backend/XvfbServer.cpp
    backend/ScreenPng.cpp
    render/SanitizerSuppressions.cpp
    keyboard/KeyboardCtrlX11Test.cpp
  LIBS zephui pelmora_catalogue PkgConfig::ZEPHUI_BACKEND_TEST_DEPS Threads::Threads)
