# The control model and the paint manager of ZephUI: control tree, panels,
# scroll bars, the class-name factory, resources, animation timers, and one
# paint manager per window with its caches and overlays.
list(APPEND ZEPHUI_SOURCES
  core/ControlDisposal.cpp
  core/ControlFactory.cpp
  core/ControlTimerTable.cpp
  core/ControlTypes.cpp
  core/FontTable.cpp
  core/ImageCache.cpp
  core/LayeredCompose.cpp
  core/MControl.cpp
  core/MControlFont.cpp
  core/MControlInput.cpp
  core/MControlPaint.cpp
  core/MControlTree.cpp
  core/MObject.cpp
  core/MPanel.cpp
  core/MScroll.cpp
  core/MToolTip.cpp
  core/PaintManager.cpp
  core/PaintManagerControls.cpp
  core/PaintManagerInput.cpp
  core/PaintManagerOverlays.cpp
  core/PaintManagerPaint.cpp
  core/PaintManagerResources.cpp
  core/PaintManagerShadow.cpp
  core/PaintManagerTimers.cpp
  core/Resources.cpp
  core/StatusOverlay.cpp
  core/ZTimer.cpp
)
