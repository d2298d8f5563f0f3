# The control catalogue of ZephUI: the library's own control classes, known to
# the class-name factory without the application registering them.
list(APPEND ZEPHUI_SOURCES
  controls/BuiltinControls.cpp
  controls/MButton.cpp
  controls/MText.cpp
  controls/SlotCache.cpp
  controls/EditLayout.cpp
  controls/EditEngine.cpp
  controls/EditWindow.cpp
  controls/MEdit.cpp
  controls/EditBuiltins.cpp
  controls/CComboBoxList.cpp
  controls/CComboBoxWnd.cpp
  controls/MComboBox.cpp
  controls/EditLayout.cpp
  controls/EditEngine.cpp
  controls/EditWindow.cpp
  controls/MEdit.cpp
  controls/EditBuiltins.cpp
  controls/CComboBoxList.cpp
  controls/CComboBoxWnd.cpp
  controls/MComboBox.cpp
  controls/MRichEdit.cpp
  controls/MEditEx.cpp
  controls/CLogonEdit.cpp
  controls/CSpinButton.cpp
  controls/CColorCombo.cpp
  controls/MTabCtrl.cpp
  controls/MTabLayout.cpp
  controls/TabMenuBuiltins.cpp
  controls/MenuItem.cpp
  controls/MenuWnd.cpp
  controls/MMessageBox.cpp
)
