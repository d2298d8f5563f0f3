// The clipboard, for text. Under X11 it is the CLIPBOARD selection: we own it
// after SetClipboardText and serve it as UTF-8 until another program takes it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "zephui/Export.h"

namespace ZephUI {

/// Puts `text` on the clipboard; false when the clipboard cannot be taken.
ZEPHUI_API bool SetClipboardText(std::u16string_view text);
/// The clipboard's text; none when it holds no text or its owner does not answer within a second.
ZEPHUI_API std::optional<std::u16string> GetClipboardText();
/// Empties the clipboard if this process owns it.
ZEPHUI_API void EmptyClipboard();

}  // namespace ZephUI
