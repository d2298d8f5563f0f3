# The tray icon and window marks. Headless: part of the "ui" binary. Under a
# private Xvfb (bare and with openbox) and a private session bus: a binary of
# its own ("x11"), with a helper program playing the second copy of a program.
list(APPEND ZEPHUI_UI_TESTS tray/HeadlessTrayTest.cpp)

pkg_check_modules(ZEPHUI_TRAY_TEST_DEPS REQUIRED IMPORTED_TARGET libsystemd)

add_executable(zephui_mark_helper tray/MarkHelper.cpp)
target_link_libraries(zephui_mark_helper PRIVATE zephui)
pelmora_warnings(zephui_mark_helper)

pelmora_test_binary(zephui_tray_x11_tests LABEL x11
  SOURCES
    backend/RecordingProcedure.cpp
    backend/X11Fixture.cpp
    backend/XvfbServer.cpp
    desktop/DesktopSession.cpp
    tray/DesktopX11Fixture.cpp
    tray/PrivateSessionBus.cpp
    tray/TestWatcher.cpp
    tray/TrayX11Test.cpp
    tray/WindowMarkX11Test.cpp
  LIBS zephui PkgConfig::ZEPHUI_BACKEND_TEST_DEPS PkgConfig::ZEPHUI_TRAY_TEST_DEPS Threads::Threads)
target_compile_definitions(zephui_tray_x11_tests PRIVATE ZEPHUI_MARK_HELPER="$<TARGET_FILE:zephui_mark_helper>")
add_dependencies(zephui_tray_x11_tests zephui_mark_helper)
