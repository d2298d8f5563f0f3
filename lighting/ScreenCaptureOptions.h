// Choices and routes of the X11 screen capture, kept apart from the X headers
// so callers need not see Xlib's macros.
#pragma once

/// Whether the screen may be shrunk inside the X server (XRender).
enum class ScreenServerScaling { WhenAvailable, Never };

/// Whether pixels may be read through a MIT-SHM shared-memory segment.
enum class ScreenSharedMemory { WhenAvailable, Never };

/// The route the last successful grab took.
enum class ScreenCapturePath {
  NotGrabbed,               ///< nothing grabbed yet, or the last grab failed
  FullImage,                ///< whole screen through XGetImage, shrunk here
  FullSharedImage,          ///< whole screen through MIT-SHM, shrunk here
  ServerScaledImage,        ///< shrunk by XRender, read through XGetImage
  ServerScaledSharedImage,  ///< shrunk by XRender, read through MIT-SHM
};
