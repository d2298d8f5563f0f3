// The message loop of the x11 tests: handles messages until a condition holds.
#pragma once

#include <chrono>

#include "zephui/Message.h"
#include "zephui/Window.h"

namespace zephuitest {

/// Handles messages until `done` holds, waiting for the next one in between; false after ten seconds.
template <typename F>
bool PumpUntil(F done) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  ZephUI::MSG msg;
  while (std::chrono::steady_clock::now() < giveUp) {
    if (done()) return true;
    if (!ZephUI::PeekMessage(msg)) {
      ZephUI::WaitMessage();
      continue;
    }
    ZephUI::TranslateMessage(msg);
    ZephUI::DispatchMessage(msg);
  }
  return false;
}

}  // namespace zephuitest
