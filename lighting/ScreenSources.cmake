# Screen light: the sampling thread and its X11 capture (XRender, MIT-SHM, Xlib).
# GLOBAL so the x11 tests and the benchmark can link the same libraries.
pkg_check_modules(SCREEN_X11 REQUIRED IMPORTED_TARGET GLOBAL x11 xext xrender)

list(APPEND LIGHTING_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ScreenImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScreenLight.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScreenRenderScaler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScreenXDisplay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScreenXImageReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/X11ScreenCapture.cpp)
list(APPEND LIGHTING_LIBS PkgConfig::SCREEN_X11)
