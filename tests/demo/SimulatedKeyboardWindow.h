// The demo build's "Simulated keyboard" window: what the simulated keyboard
// received, as its firmware model decodes the frames (lighting mode and
// settings, per-key colours, live stream or music level), and the keys the
// key filter passed through. It checks the model's change counter on a short
// timer of its own and redraws only when something arrived.
//
// Created on the heap; it deletes itself when its window is destroyed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "tests/demo/KeyLightsView.h"
#include "tests/demo/PassedKeyLog.h"
#include "tests/sim/KeyboardFirmware.h"
#include "zephui/MDialog.h"

namespace ZephUI {
class MText;
}

class SimulatedKeyboardWindow : public ZephUI::MDialog {
 public:
  /// Labels and views by control id.
  enum ControlId : std::uint32_t {
    kTitle = 1, kClose, kFrameLabel, kMusicLabel, kPassedLabel, kKeyView,
    kModeValue = 20, kBrightnessValue, kSpeedValue, kColourValue, kDirectionValue, kCustomSetValue,
    kFirstCaption = 40,
  };
  /// How often the firmware's change counter is checked.
  static constexpr std::uint32_t kRefreshMs = 100;

  /// A window showing `firmware`'s state, the keys of `picture` and the presses of `passed` (which must outlive it).
  SimulatedKeyboardWindow(std::shared_ptr<const hidsim::KeyboardFirmware> firmware, const PassedKeyLog& passed,
                          KeyPicture picture);

  /// Whether such a window is open in this program.
  static bool IsOpen();
  /// Creates the window at the bottom right of the work area and shows it without taking the focus.
  ZephUI::HWND Open();
  /// Its own class, so nothing that closes the program's popups closes it.
  std::u16string_view GetWindowClassName() const override;
  /// Builds the labels and the key view.
  void InitUI(const ZephUI::Rect& clientRect) override;
  /// The close button.
  ZephUI::LRESULT OnMessage(std::uint32_t controlId, ZephUI::UINT msg, ZephUI::WPARAM wParam,
                            ZephUI::LPARAM lParam) override;
  /// The refresh timer.
  ZephUI::LRESULT OnTimer(std::uintptr_t id) override;
  /// Deletes the object.
  void PostNcDestroy() override;
  /// The key view (for tests); none before InitUI.
  KeyLightsView* KeyView() const { return view_; }

 private:
  ZephUI::MText* AddText(std::uint32_t id, const ZephUI::Rect& rect, std::u16string text, int pixels,
                         std::uint32_t argb);
  void AddTiles();
  void Refresh();
  void SetText(std::uint32_t id, const std::u16string& text);

  std::shared_ptr<const hidsim::KeyboardFirmware> firmware_;
  const PassedKeyLog& passed_;
  KeyPicture picture_;  // handed to the view when it is built
  KeyLightsView* view_ = nullptr;  // owned by the paint manager
  std::uint64_t seenFirmware_ = ~std::uint64_t{0};
  std::uint64_t seenPassed_ = ~std::uint64_t{0};
};
