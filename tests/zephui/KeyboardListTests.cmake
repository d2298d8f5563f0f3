# The keyboard page's lists, key picker and device controls on a headless
# dialog ("ui"), in a binary of their own.
pelmora_test_binary(zephui_keyboard_list_tests LABEL ui
  SOURCES
    backend/HeadlessFixture.cpp
    backend/RecordingProcedure.cpp
    render/RenderProbe.cpp
    render/SanitizerSuppressions.cpp
    controls/CatalogueFixture.cpp
    keyboard/RowListTest.cpp
    keyboard/KeyFuncControlTest.cpp
    keyboard/DeviceControlsTest.cpp
  LIBS zephui)

# Screenshots of the picker and a record list under a private Xvfb ("x11").
pelmora_test_binary(zephui_keyboard_list_x11_tests LABEL x11
  SOURCES
    backend/XvfbServer.cpp
    backend/ScreenPng.cpp
    render/SanitizerSuppressions.cpp
    keyboard/KeyboardListX11Test.cpp
  LIBS zephui PkgConfig::ZEPHUI_BACKEND_TEST_DEPS Threads::Threads)
