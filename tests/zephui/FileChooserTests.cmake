# The file chooser: the library's own file dialog on the headless backend, and
# the portal route against a fake portal on a private session bus ("ui").
pkg_check_modules(ZEPHUI_FILECHOOSER_TEST_DEPS REQUIRED IMPORTED_TARGET libsystemd)
find_package(Threads REQUIRED)
pelmora_test_binary(zephui_filechooser_tests LABEL ui
  SOURCES
    backend/HeadlessFixture.cpp
    backend/RecordingProcedure.cpp
    render/SanitizerSuppressions.cpp
    filechooser/FakePortal.cpp
    filechooser/PrivateBus.cpp
    filechooser/FileDialogTest.cpp
    filechooser/PortalTest.cpp
  LIBS zephui PkgConfig::ZEPHUI_FILECHOOSER_TEST_DEPS Threads::Threads)
