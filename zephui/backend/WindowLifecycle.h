// Creation and destruction of windows, with their first and last messages.
#pragma once

#include <cstdint>
#include <string_view>

#include "zephui/WindowProcedure.h"
#include "zephui/WindowTypes.h"

namespace ZephUI::Backend {

/// Everything CreateWindowEx was given.
struct CreateRequest {
  std::uint32_t exStyle = 0;          ///< WS_EX_* bits
  std::u16string_view className;      ///< registered class
  std::u16string_view title;          ///< title
  std::uint32_t style = 0;            ///< WS_* bits
  Rect rect;                          ///< screen pixels, or parent client pixels for a child
  HWND parent = nullptr;              ///< parent or owner
  WindowProcedure* procedure = nullptr;  ///< message handler
  void* createParam = nullptr;        ///< handed on in CREATESTRUCT
};

/// Window creation and destruction.
class WindowLifecycle {
 public:
  /// Creates a window owned by the calling thread; null on failure.
  static HWND Create(const CreateRequest& request);
  /// Destroys a window of the calling thread with its owned windows and children.
  static bool Destroy(HWND hwnd);
  /// A handle standing for another process's window.
  static HWND ForeignProxy(std::uint64_t foreignId);

 private:
  static HWND Register(const CreateRequest& request);
  static bool RunCreationMessages(HWND hwnd, const CreateRequest& request);
  static void Erase(HWND hwnd);
};

}  // namespace ZephUI::Backend
