# The demo build's simulated hardware: the key source under the real key
# filter and the key pipe, and the "Simulated keyboard" window on the
# headless backend fed through the real keyboard protocol.
pelmora_test_binary(demo_tests LABEL ui
  SOURCES
    ${PROJECT_SOURCE_DIR}/tests/demo/KeySourceTest.cpp
    ${PROJECT_SOURCE_DIR}/tests/demo/SimulatedKeyboardWindowTest.cpp
    ${PROJECT_SOURCE_DIR}/tests/zephui/render/SanitizerSuppressions.cpp
  LIBS pelmora_demo pelmora_macros pelmora_device pelmora_app pelmora_test_support)
