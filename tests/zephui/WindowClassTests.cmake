# The window classes: MWindow, dialogs and popups with sample controls, the
# drop shadow and the balloon tip on the headless backend ("ui"), and a sample
# dialog clicked under Xvfb ("x11").
pelmora_test_binary(zephui_window_tests LABEL ui
  SOURCES
    backend/HeadlessFixture.cpp
    backend/RecordingProcedure.cpp
    render/SanitizerSuppressions.cpp
    windows/DialogFixture.cpp
    windows/ProbeWindow.cpp
    windows/SampleButton.cpp
    windows/SampleDialog.cpp
    windows/SampleFactory.cpp
    windows/SamplePanel.cpp
    windows/SamplePopup.cpp
    windows/SampleText.cpp
    windows/MAirBladderTest.cpp
    windows/MDialogCloseTest.cpp
    windows/MDialogTest.cpp
    windows/MPopupWndTest.cpp
    windows/MShadowTest.cpp
    windows/MToolTipTest.cpp
    windows/MWindowModalTest.cpp
    windows/MWindowPlacementTest.cpp
    windows/MWindowTest.cpp
  LIBS zephui)

pelmora_test_binary(zephui_window_x11_tests LABEL x11
  SOURCES
    backend/XvfbServer.cpp
    render/SanitizerSuppressions.cpp
    windows/SampleButton.cpp
    windows/SampleDialog.cpp
    windows/SampleFactory.cpp
    windows/SamplePanel.cpp
    windows/SampleText.cpp
    windows/SampleDialogX11Test.cpp
    backend/ScreenPng.cpp
  LIBS zephui PkgConfig::ZEPHUI_BACKEND_TEST_DEPS Threads::Threads)
