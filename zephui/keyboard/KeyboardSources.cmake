# The keyboard controls of ZephUI: the keyboard picture and its key tip
# window, known to the class-name factory like the control catalogue.
list(APPEND ZEPHUI_SOURCES
  keyboard/CKeyboardTips.cpp
  keyboard/KeyCanvas.cpp
  keyboard/KeyLightFrames.cpp
  keyboard/RubberBand.cpp
  keyboard/KeyboardCtrl.cpp
  keyboard/KeyboardCtrlMouse.cpp
  keyboard/KeyboardCtrlPaint.cpp
  keyboard/KeyboardBuiltins.cpp
)
