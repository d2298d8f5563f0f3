// Symbol visibility of the ZephUI shared library.
#pragma once

/// Marks a declaration as part of the library's exported interface.
#define ZEPHUI_API __attribute__((visibility("default")))
