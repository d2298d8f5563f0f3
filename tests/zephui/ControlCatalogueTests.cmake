# The control catalogue (MText, MButton) on dialogs and panels of the headless
# backend ("ui"), in a binary of its own.
pelmora_test_binary(zephui_catalogue_tests LABEL ui
  SOURCES
    backend/HeadlessFixture.cpp
    backend/RecordingProcedure.cpp
    render/RenderProbe.cpp
    render/SanitizerSuppressions.cpp
    controls/CatalogueFixture.cpp
    controls/MButtonTest.cpp
    controls/MTextTest.cpp
    controls/ValueControlsTest.cpp
    controls/PaletteTest.cpp
    controls/MListBoxTest.cpp
    controls/EditEngineTest.cpp
    controls/MEditTest.cpp
    controls/MComboBoxTest.cpp
    controls/RichEditTest.cpp
    controls/TabCtrlTest.cpp
    controls/MenuWndTest.cpp
    controls/MMessageBoxTest.cpp
    controls/CheckButtonTest.cpp
    controls/ButtonFamilyTest.cpp
    controls/PictureTest.cpp
  LIBS zephui)
