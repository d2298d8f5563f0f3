# Key filter on evdev, keyboard hook, recorder and single-key capture.
list(APPEND MACROS_TESTS
  ${PROJECT_SOURCE_DIR}/tests/fakes/FakeEvdevDevice.cpp
  FilterTableTest.cpp
  FilterPassThroughTest.cpp
  FilterThreadTest.cpp
  FilterEvdevTest.cpp
  KeyboardHookManagerTest.cpp
  KeyboardHookTranslatorTest.cpp
  KeyboardHookThreadTest.cpp
  RecorderRulesTest.cpp
  RecorderKeyCaptureTest.cpp
)
