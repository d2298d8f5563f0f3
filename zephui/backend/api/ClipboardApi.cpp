// The clipboard.
#include "zephui/Clipboard.h"

#include "backend/WindowSystem.h"

namespace ZephUI {

bool SetClipboardText(std::u16string_view text) { return Backend::WindowSystem::Get().Native().SetClipboardText(text); }

std::optional<std::u16string> GetClipboardText() { return Backend::WindowSystem::Get().Native().ClipboardText(); }

void EmptyClipboard() { Backend::WindowSystem::Get().Native().ClearClipboard(); }

}  // namespace ZephUI
