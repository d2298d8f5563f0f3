# Window-system tests: the headless ones join the "ui" binary; the X11 one is a
# binary of its own that starts its own Xvfb.
list(APPEND ZEPHUI_UI_TESTS
  backend/ActivationTest.cpp
  backend/FocusCaptureTest.cpp
  backend/HeadlessFixture.cpp
  backend/InputTest.cpp
  backend/MessageQueueTest.cpp
  backend/ModalLoopTest.cpp
  backend/MonitorTest.cpp
  backend/PaintTest.cpp
  backend/RecordingProcedure.cpp
  backend/TimerTest.cpp
  backend/WindowRegionTest.cpp
  backend/WindowTest.cpp
)

find_package(Threads REQUIRED)
pkg_check_modules(ZEPHUI_BACKEND_TEST_DEPS REQUIRED IMPORTED_TARGET cairo x11 xext xtst xrandr)

# The ui binary is made after this file is read; link cairo into it once the
# directory is done (its tests draw into window surfaces with cairo).
cmake_language(DEFER DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
  CALL target_link_libraries zephui_ui_tests PRIVATE PkgConfig::ZEPHUI_BACKEND_TEST_DEPS Threads::Threads)

pelmora_test_binary(zephui_x11_tests LABEL x11
  SOURCES backend/X11BackendTest.cpp backend/XvfbServer.cpp backend/RecordingProcedure.cpp
          backend/X11Fixture.cpp backend/X11PresentTest.cpp backend/X11MonitorTest.cpp
          backend/X11ShapeTest.cpp backend/X11ClipboardTest.cpp backend/SelectionPeer.cpp
          backend/ScreenPng.cpp backend/X11KeyboardGrabTest.cpp
  LIBS zephui PkgConfig::ZEPHUI_BACKEND_TEST_DEPS Threads::Threads)

# The windows on the desktops users run: no window manager, openbox, and openbox
# with xcompmgr, each started by the tests on the binary's own Xvfb; and a program
# whose server is killed under it.
pelmora_test_binary(zephui_desktop_x11_tests LABEL x11
  SOURCES
    backend/RecordingProcedure.cpp
    backend/ScreenPng.cpp
    backend/XvfbServer.cpp
    desktop/DesktopFixture.cpp
    desktop/DesktopSession.cpp
    desktop/DesktopWindowsTest.cpp
    desktop/ServerLossTest.cpp
    render/SanitizerSuppressions.cpp
    windows/SampleButton.cpp
    windows/SampleDialog.cpp
    windows/SampleFactory.cpp
    windows/SamplePanel.cpp
    windows/SamplePopup.cpp
    windows/SampleText.cpp
  LIBS zephui PkgConfig::ZEPHUI_BACKEND_TEST_DEPS Threads::Threads)
