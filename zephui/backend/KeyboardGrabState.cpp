#include "backend/KeyboardGrabState.h"

#include <mutex>

#include "backend/WindowSystem.h"

namespace ZephUI::Backend {
namespace {

struct Held {
  std::mutex mutex;  // guards the fields below; the backend is called with it held so grabs never interleave
  HWND owner = nullptr;
  UINT message = 0;
  std::uint64_t generation = 0;
  std::uint64_t lastGeneration = 0;
};

Held& State() {
  static Held held;
  return held;
}

void EndLocked(Held& held) {
  if (held.owner == nullptr) return;
  // The headless desk has no device to give back; only the record goes.
  if (WindowSystem::Get().Native().Kind() == BackendKind::X11) WindowSystem::Get().Native().UngrabKeyboard();
  held.owner = nullptr;
  held.message = 0;
  held.generation = 0;
}

}  // namespace

std::uint64_t KeyboardGrabState::Take(HWND owner, UINT message) {
  if (owner == nullptr) return 0;
  Held& held = State();
  std::lock_guard lock(held.mutex);
  EndLocked(held);
  NativeBackend& native = WindowSystem::Get().Native();
  if (native.Kind() == BackendKind::X11 && !native.GrabKeyboard(owner, message)) return 0;
  held.owner = owner;
  held.message = message;
  held.generation = ++held.lastGeneration;
  return held.generation;
}

void KeyboardGrabState::Release(std::uint64_t generation) {
  Held& held = State();
  std::lock_guard lock(held.mutex);
  if (generation != 0 && held.generation == generation) EndLocked(held);
}

void KeyboardGrabState::OwnerLeft(HWND hwnd) {
  Held& held = State();
  std::lock_guard lock(held.mutex);
  if (hwnd != nullptr && held.owner == hwnd) EndLocked(held);
}

HWND KeyboardGrabState::Owner() {
  Held& held = State();
  std::lock_guard lock(held.mutex);
  return held.owner;
}

UINT KeyboardGrabState::Message() {
  Held& held = State();
  std::lock_guard lock(held.mutex);
  return held.message;
}

bool KeyboardGrabState::Holds(std::uint64_t generation) {
  Held& held = State();
  std::lock_guard lock(held.mutex);
  return generation != 0 && held.generation == generation;
}

}  // namespace ZephUI::Backend
