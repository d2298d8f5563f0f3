#include "mainwindow/TextPaster.h"

#include "macros/virtualdevice/VHidev.h"
#include "zephui/Clipboard.h"
#include "zephui/Window.h"

namespace {
constexpr int kLeftControlUsage = 0xE0;
constexpr int kVUsage = 0x19;
constexpr std::uint32_t kHoldMs = 100;
}  // namespace

void TextPaster::Paste(const std::u16string& text) {
  if (text.empty()) return;
  if (holding_) Release();
  ZephUI::SetClipboardText(text);
  keyboard_.setKey(kLeftControlUsage, true);
  keyboard_.setKey(kVUsage, true);
  holding_ = true;
  ZephUI::SetTimer(owner_, kTimerId, kHoldMs);
}

void TextPaster::Release() {
  ZephUI::KillTimer(owner_, kTimerId);
  if (!holding_) return;
  holding_ = false;
  keyboard_.setKey(kVUsage, false);
  keyboard_.setKey(kLeftControlUsage, false);
  ZephUI::EmptyClipboard();
}
