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
    controls/RichEditFormatTest.cpp
    controls/TabCtrlTest.cpp
    controls/MenuWndTest.cpp
    controls/MMessageBoxTest.cpp
    controls/CheckButtonTest.cpp
    controls/ButtonFamilyTest.cpp
    controls/PictureTest.cpp
    gallery/GalleryDialog.cpp
    gallery/GalleryPaintTest.cpp
  LIBS zephui)

# An edit field typed into through the X input method under a private Xvfb ("x11").
pelmora_test_binary(zephui_edit_x11_tests LABEL x11
  SOURCES
    backend/XvfbServer.cpp
    backend/X11Fixture.cpp
    backend/RecordingProcedure.cpp
    render/SanitizerSuppressions.cpp
    controls/EditX11Test.cpp
  LIBS zephui PkgConfig::ZEPHUI_BACKEND_TEST_DEPS Threads::Threads)
