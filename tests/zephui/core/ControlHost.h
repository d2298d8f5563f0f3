// A headless host window for control tests: its procedure hands every
// message to a PaintManager inside a dispatch scope (as a dialog does), and an
// object face is the parent of the top-level controls, recording the
// notifications they send.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "tests/zephui/core/TestControls.h"
#include "zephui/MObject.h"
#include "zephui/PaintManager.h"
#include "zephui/Window.h"

namespace controltest {

/// One notification a control sent to the face.
struct Note {
  std::uint32_t id = 0;
  ZephUI::UINT code = 0;
  ZephUI::WPARAM wParam = 0;
  ZephUI::LPARAM lParam = 0;
};

/// The parent of top-level controls: repaint requests go to the manager, notifications are kept.
class Face : public ZephUI::MObject {
 public:
  explicit Face(ZephUI::PaintManager& manager) : manager_(manager) {}
  ZephUI::LRESULT OnBaseMessage(std::uint32_t id, ZephUI::UINT code, ZephUI::WPARAM wParam,
                                ZephUI::LPARAM lParam) override;
  ZephUI::LRESULT OnControlUpdate(const ZephUI::Rect& rect, ZephUI::CacheReset reset,
                                  ZephUI::MControl* control) override;

  std::vector<Note> notes;
  std::function<void(const Note&)> onNote;

 private:
  ZephUI::PaintManager& manager_;
};

/// A window with its paint manager; messages the manager leaves go to a test handler, then DefWindowProc.
class Host : public ZephUI::WindowProcedure {
 public:
  /// A visible popup at `screen` (width and height from the rectangle).
  explicit Host(const ZephUI::Rect& screen, std::uint32_t exStyle = 0);
  ~Host() override;

  ZephUI::LRESULT HandleMessage(ZephUI::HWND hwnd, ZephUI::UINT message, ZephUI::WPARAM wParam,
                                ZephUI::LPARAM lParam) override;

  /// A top-level ColourControl (kind 1 controls, 0 areas).
  ColourControl* AddColour(std::uint32_t id, const ZephUI::Rect& rect, int kind = 1,
                           ZephUI::ArgbColor colour = ZephUI::ArgbColor(0xFFFF0000));
  /// A top-level ColourPanel.
  ColourPanel* AddPanel(std::uint32_t id, const ZephUI::Rect& rect);
  /// Pumps like a modal loop: each message is offered to PreTranslateMessage first.
  void PumpTranslated();
  /// Destroys the window now.
  void Destroy();

  ZephUI::HWND hwnd = nullptr;
  std::unique_ptr<ZephUI::PaintManager> manager;
  std::unique_ptr<Face> face;
  /// Handlers for messages the manager did not take.
  std::map<ZephUI::UINT, std::function<ZephUI::LRESULT()>> handlers;
};

/// Headless backend, a clean desktop, the test classes registered.
class ControlFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  /// Makes the host at (100, 100) sized `width` x `height`.
  Host& MakeHost(int width = 300, int height = 200, std::uint32_t exStyle = 0);
  /// Lets the pacing interval pass so the next paint is not held, then pumps.
  void Settle();

  std::unique_ptr<Host> host_;
};

}  // namespace controltest
