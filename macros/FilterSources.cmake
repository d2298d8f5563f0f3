# Key filter on evdev, keyboard hook, recorder and single-key capture.
list(APPEND MACROS_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AllKeyboardsReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DeviceReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EvdevKeyboardHook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FilterPassThrough.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HidUsbFilter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HookKeyTranslator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyCapture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyFilterDriver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyFilterProgrammer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyFilterTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyboardHookManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LibevdevDevice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MacroRecorder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UdevEvdevDiscovery.cpp
)
