#include "backend/KeyStateTable.h"

#include "zephui/MessageCodes.h"
#include "zephui/VirtualKeys.h"

namespace ZephUI::Backend {
namespace {

constexpr std::uint8_t kDown = 0x80;
constexpr std::uint8_t kToggled = 0x01;

}  // namespace

std::uint32_t KeyStateTable::Sided(std::uint32_t vk) {
  switch (vk) {
    case VK_SHIFT: return VK_LSHIFT;
    case VK_CONTROL: return VK_LCONTROL;
    case VK_MENU: return VK_LMENU;
    default: return vk & 0xFF;
  }
}

void KeyStateTable::UpdateGeneric() {
  const auto either = [this](std::uint32_t left, std::uint32_t right, std::uint32_t generic) {
    const bool down = ((state_[left] | state_[right]) & kDown) != 0;
    state_[generic] = static_cast<std::uint8_t>((state_[generic] & ~kDown) | (down ? kDown : 0));
  };
  either(VK_LSHIFT, VK_RSHIFT, VK_SHIFT);
  either(VK_LCONTROL, VK_RCONTROL, VK_CONTROL);
  either(VK_LMENU, VK_RMENU, VK_MENU);
}

bool KeyStateTable::Press(std::uint32_t vk) {
  std::lock_guard lock(mutex_);
  const std::uint32_t key = Sided(vk);
  const bool wasDown = (state_[key] & kDown) != 0;
  if (!wasDown) state_[key] ^= kToggled;
  state_[key] |= kDown;
  UpdateGeneric();
  return wasDown;
}

void KeyStateTable::Release(std::uint32_t vk) {
  std::lock_guard lock(mutex_);
  state_[Sided(vk)] &= static_cast<std::uint8_t>(~kDown);
  UpdateGeneric();
}

bool KeyStateTable::IsDown(std::uint32_t vk) const {
  std::lock_guard lock(mutex_);
  return (state_[vk & 0xFF] & kDown) != 0;
}

std::int16_t KeyStateTable::State(std::uint32_t vk) const {
  std::lock_guard lock(mutex_);
  const std::uint8_t s = state_[vk & 0xFF];
  return static_cast<std::int16_t>(((s & kDown) != 0 ? 0x8000 : 0) | (s & kToggled));
}

std::uint32_t KeyStateTable::MouseFlags() const {
  std::lock_guard lock(mutex_);
  std::uint32_t flags = 0;
  if ((state_[VK_LBUTTON] & kDown) != 0) flags |= MK_LBUTTON;
  if ((state_[VK_RBUTTON] & kDown) != 0) flags |= MK_RBUTTON;
  if ((state_[VK_MBUTTON] & kDown) != 0) flags |= MK_MBUTTON;
  if ((state_[VK_SHIFT] & kDown) != 0) flags |= MK_SHIFT;
  if ((state_[VK_CONTROL] & kDown) != 0) flags |= MK_CONTROL;
  return flags;
}

void KeyStateTable::ReleaseAll() {
  std::lock_guard lock(mutex_);
  for (auto& s : state_) s &= kToggled;
}

}  // namespace ZephUI::Backend
