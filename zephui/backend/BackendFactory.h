// Chooses and builds the backend at start: the one asked for, else the one
// ZEPHUI_BACKEND names, else X11; headless whenever no display opens.
#pragma once

#include <memory>
#include <optional>

#include "backend/NativeBackend.h"

namespace ZephUI::Backend {

/// Backend construction.
class BackendFactory {
 public:
  /// The backend to run.
  static std::unique_ptr<NativeBackend> Create(std::optional<BackendKind> requested);
};

}  // namespace ZephUI::Backend
