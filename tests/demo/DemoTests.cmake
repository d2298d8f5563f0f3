# The demo build's simulated hardware: the key source under the real key
# filter and the key pipe, and the "Simulated keyboard" window on the
# headless backend fed through the real keyboard protocol.
pelmora_test_binary(demo_tests LABEL ui
  SOURCES
    ${PROJECT_SOURCE_DIR}/tests/demo/KeySourceTest.cpp
    ${PROJECT_SOURCE_DIR}/tests/demo/SimulatedKeyboardWindowTest.cpp
    ${PROJECT_SOURCE_DIR}/tests/zephui/render/SanitizerSuppressions.cpp
  LIBS pelmora_demo pelmora_macros pelmora_device pelmora_app pelmora_test_support)

# The demo program's plug cycles: each removal and arrival reaches the program
# through the demo's device notices and is handled before the next.
add_test(NAME demo_plug_cycles
  COMMAND ${PROJECT_SOURCE_DIR}/tests/demo/plug_cycles.sh $<TARGET_FILE:pelmora-keyboard-t40-demo> 20)
set_tests_properties(demo_plug_cycles PROPERTIES LABELS e2e TIMEOUT 600)
