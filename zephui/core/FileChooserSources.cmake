# Asking for a file: the desktop's chooser through the portal on the session
# bus (sd-bus), else the library's own file dialog.
pkg_check_modules(ZEPHUI_PORTAL REQUIRED IMPORTED_TARGET libsystemd)

list(APPEND ZEPHUI_SOURCES
  core/DocumentsFolder.cpp
  core/FileChooser.cpp
  core/FileChooserImpl.cpp
  core/FolderListing.cpp
  controls/MFileDialog.cpp
  backend/portal/FileUri.cpp
  backend/portal/ParentWindow.cpp
  backend/portal/PortalFileChooser.cpp
)
list(APPEND ZEPHUI_PRIVATE_LIBS PkgConfig::ZEPHUI_PORTAL)
