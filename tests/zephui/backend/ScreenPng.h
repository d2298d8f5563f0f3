// Writes what an X server shows on its root window as a PNG, for the x11
// tests that keep a screenshot or check one.
#pragma once

#include <filesystem>

// Declared as Xlib declares it, so this header does not bring in Xlib's macros.
typedef struct _XDisplay Display;

namespace zephuitest {

/// The whole root window of `display` as an RGB PNG at `path`; false on failure.
bool WriteScreenPng(Display* display, const std::filesystem::path& path);

}  // namespace zephuitest
