# The keyboard page's lists, pickers and device controls of ZephUI.
list(APPEND ZEPHUI_SOURCES
  keyboard/KeyboardListBuiltins.cpp
  keyboard/MRowList.cpp
  keyboard/DListBox.cpp
  keyboard/CRecordList.cpp
  keyboard/KeyFuncControl.cpp
  keyboard/CDeviceCtrl.cpp
  keyboard/BatteryCtrl.cpp
  keyboard/UpgradeButton.cpp
  keyboard/DownloadButton.cpp
  keyboard/DPIControl.cpp
  keyboard/LoadingPicture.cpp
  keyboard/LoadingWnd.cpp
)
