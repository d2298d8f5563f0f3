#include "backend/NativeAccess.h"

#include "backend/Messenger.h"
#include "backend/WindowSystem.h"

namespace ZephUI::Backend {

void NativeAccess::Apply(HWND hwnd, const std::function<void(NativeWindow&)>& f) {
  Messenger::RunOnOwner(hwnd, [hwnd, &f]() -> LRESULT {
    // Native windows are destroyed only on this thread, so the pointer stays good after the lock.
    NativeWindow* native = WindowSystem::Get().Table().With([hwnd](WindowState& state) -> NativeWindow* {
      const WindowRecord* record = state.FindLocal(hwnd);
      return record != nullptr ? record->native.get() : nullptr;
    });
    if (native != nullptr) f(*native);
    return 0;
  });
}

}  // namespace ZephUI::Backend
