# The window system: message queues, windows and input in backend/, the public
# functions in backend/api/, and the two platform implementations.
find_package(Threads REQUIRED)
pkg_check_modules(ZEPHUI_WINDOWING REQUIRED IMPORTED_TARGET x11 xext xrandr xfixes cairo)
# The tray: sd-bus for the session bus, cairo's Xlib surfaces for the XEmbed icon.
pkg_check_modules(ZEPHUI_TRAY REQUIRED IMPORTED_TARGET libsystemd cairo-xlib)

list(APPEND ZEPHUI_SOURCES
  backend/BackendFactory.cpp
  backend/DefaultProcedure.cpp
  backend/EventCooker.cpp
  backend/FdWatches.cpp
  backend/FocusController.cpp
  backend/KeyboardGrabState.cpp
  backend/KeyStateTable.cpp
  backend/MessageBuilder.cpp
  backend/MessagePump.cpp
  backend/Messenger.cpp
  backend/NativeAccess.cpp
  backend/PaintCycle.cpp
  backend/PeriodicTimerThread.cpp
  backend/PointerRouting.cpp
  backend/Presenter.cpp
  backend/RoundRegion.cpp
  backend/ShownFrame.cpp
  backend/ThreadQueue.cpp
  backend/TrayIconImpl.cpp
  backend/TrayPicture.cpp
  backend/WindowLifecycle.cpp
  backend/WindowPlacement.cpp
  backend/WindowRecord.cpp
  backend/WindowState.cpp
  backend/WindowSystem.cpp
  backend/WindowTimers.cpp
  backend/api/BackendApi.cpp
  backend/api/ClipboardApi.cpp
  backend/api/CursorApi.cpp
  backend/api/HeadlessApi.cpp
  backend/api/InputMethodApi.cpp
  backend/api/KeyboardGrabApi.cpp
  backend/api/MessageApi.cpp
  backend/api/ModalLoop.cpp
  backend/api/MonitorApi.cpp
  backend/api/PaintApi.cpp
  backend/api/TrayApi.cpp
  backend/api/WindowApi.cpp
  backend/api/WindowDataApi.cpp
  backend/api/WindowMarkApi.cpp
  backend/api/WindowGeometryApi.cpp
  backend/api/WindowRegionApi.cpp
  backend/api/WindowRelationsApi.cpp
  backend/api/WindowStateApi.cpp
  backend/api/WindowSurface.cpp
  backend/dbus/SessionBus.cpp
  backend/dbus/StatusNotifierItem.cpp
  backend/headless/HeadlessBackend.cpp
  backend/headless/HeadlessWaiter.cpp
  backend/headless/HeadlessTray.cpp
  backend/headless/HeadlessWindow.cpp
  backend/headless/UsKeyboardLayout.cpp
  backend/x11/X11Atoms.cpp
  backend/x11/X11Backend.cpp
  backend/x11/X11Clipboard.cpp
  backend/x11/X11Connection.cpp
  backend/x11/X11EventTranslator.cpp
  backend/x11/X11Extensions.cpp
  backend/x11/X11IncrSender.cpp
  backend/x11/X11InputMethod.cpp
  backend/x11/X11KeyboardGrab.cpp
  backend/x11/X11Keymap.cpp
  backend/x11/X11Monitors.cpp
  backend/x11/X11Painter.cpp
  backend/x11/X11SelectionReader.cpp
  backend/x11/X11Shape.cpp
  backend/x11/X11SharedImage.cpp
  backend/x11/X11Stacking.cpp
  backend/x11/X11TrayIcon.cpp
  backend/x11/X11Waiter.cpp
  backend/x11/X11Window.cpp
  backend/x11/X11WindowPresenter.cpp
)
list(APPEND ZEPHUI_PRIVATE_LIBS PkgConfig::ZEPHUI_WINDOWING PkgConfig::ZEPHUI_TRAY Threads::Threads)
