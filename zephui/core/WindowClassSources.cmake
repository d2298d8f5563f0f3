# The window classes of ZephUI: the window wrapper and its procedure, dialogs
# and popups with their paint manager, the drop shadow and the balloon tip.
list(APPEND ZEPHUI_SOURCES
  core/MWindow.cpp
  core/MWindowPlacement.cpp
  core/MWindowProcedure.cpp
  core/MWindowWrappers.cpp
  core/AirBladderLayout.cpp
  core/MAirBladder.cpp
  core/MDialog.cpp
  core/MDialogHandlers.cpp
  core/MDialogOperations.cpp
  core/MPopupWnd.cpp
  core/MPopupWndHandlers.cpp
  core/MPopupWndOperations.cpp
  core/MShadow.cpp
  core/ShadowPicture.cpp
  core/WindowFollower.cpp
)
