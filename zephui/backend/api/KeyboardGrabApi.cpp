// Keyboard grabs: the public object over the process's one grab.
#include "zephui/KeyboardGrab.h"

#include "backend/KeyboardGrabState.h"
#include "backend/Messenger.h"
#include "backend/WindowSystem.h"

namespace ZephUI {

using Backend::KeyboardGrabState;

namespace {

constexpr WPARAM kKeyCodeMask = 0xFFFF;
constexpr int kVkShift = 16;
constexpr WPARAM kVkMask = 0xFF;
constexpr int kActionShift = 24;
constexpr WPARAM kActionMask = 0x3;

}  // namespace

KeyboardGrab::KeyboardGrab() = default;

KeyboardGrab::~KeyboardGrab() { Release(); }

GrabResult KeyboardGrab::Grab(HWND owner, UINT message) {
  Release();
  generation_ = KeyboardGrabState::Take(owner, message);
  owner_ = generation_ != 0 ? owner : nullptr;
  return generation_ != 0 ? GrabResult::Grabbed : GrabResult::Refused;
}

void KeyboardGrab::Release() {
  if (generation_ != 0) KeyboardGrabState::Release(generation_);
  generation_ = 0;
  owner_ = nullptr;
}

bool KeyboardGrab::IsActive() const { return KeyboardGrabState::Holds(generation_); }

GrabbedKey KeyboardGrab::Decode(WPARAM wParam, LPARAM lParam) {
  GrabbedKey key;
  key.keyCode = static_cast<std::uint32_t>(wParam & kKeyCodeMask);
  key.vk = static_cast<std::uint32_t>((wParam >> kVkShift) & kVkMask);
  key.action = static_cast<GrabbedKeyAction>((wParam >> kActionShift) & kActionMask);
  key.timeMs = static_cast<std::uint32_t>(lParam);
  return key;
}

std::pair<WPARAM, LPARAM> KeyboardGrab::Encode(const GrabbedKey& key) {
  const WPARAM wParam = (static_cast<WPARAM>(key.keyCode) & kKeyCodeMask) |
                        ((static_cast<WPARAM>(key.vk) & kVkMask) << kVkShift) |
                        ((static_cast<WPARAM>(key.action) & kActionMask) << kActionShift);
  return {wParam, static_cast<LPARAM>(key.timeMs)};
}

HWND KeyboardGrabOwner() { return KeyboardGrabState::Owner(); }

namespace Headless {

bool InjectGrabbedKey(const GrabbedKey& key) {
  if (Backend::WindowSystem::Get().Native().Kind() != BackendKind::Headless) return false;
  const HWND owner = KeyboardGrabState::Owner();
  if (owner == nullptr) return false;
  const auto [wParam, lParam] = KeyboardGrab::Encode(key);
  return Backend::Messenger::Post(owner, KeyboardGrabState::Message(), wParam, lParam);
}

}  // namespace Headless

}  // namespace ZephUI
