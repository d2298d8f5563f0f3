# The control tree and the paint manager on the headless backend ("ui"), in a
# binary of their own.
pelmora_test_binary(zephui_control_tests LABEL ui
  SOURCES
    render/SanitizerSuppressions.cpp
    core/ControlHost.cpp
    core/TestControls.cpp
    core/ControlDispatchTest.cpp
    core/ControlLifetimeTest.cpp
    core/ControlConcurrencyTest.cpp
    core/PaintManagerTimerTest.cpp
    core/PaintManagerInputTest.cpp
    core/PaintManagerPaintTest.cpp
    core/PaintManagerResourceTest.cpp
    core/ControlTreeTest.cpp
  LIBS zephui)
