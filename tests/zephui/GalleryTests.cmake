# The control gallery: one of each catalogue control on a dialog under a private
# Xvfb, photographed and driven with XTEST ("x11").
pelmora_test_binary(zephui_gallery_x11_tests LABEL x11
  SOURCES
    backend/XvfbServer.cpp
    backend/X11Fixture.cpp
    backend/RecordingProcedure.cpp
    backend/ScreenPng.cpp
    render/SanitizerSuppressions.cpp
    gallery/GalleryDialog.cpp
    gallery/GalleryX11Test.cpp
  LIBS zephui PkgConfig::ZEPHUI_BACKEND_TEST_DEPS Threads::Threads)
