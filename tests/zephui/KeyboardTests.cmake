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
