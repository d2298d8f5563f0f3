// An MWindow for tests: records the messages its handlers see and lets a test
// answer chosen ones, consume chosen messages in the modal loop and watch the
// object's end.
#pragma once

#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "zephui/MWindow.h"

namespace zephuitest {

class ProbeWindow : public ZephUI::MWindow {
 public:
  using Handler = std::function<ZephUI::LRESULT(ZephUI::WPARAM, ZephUI::LPARAM)>;

  ZephUI::LRESULT OnWindowMessage(ZephUI::UINT msg, ZephUI::WPARAM wParam, ZephUI::LPARAM lParam) override;
  bool PreTranslateMessage(const ZephUI::MSG& msg) override;
  int OnInitDialog() override;
  void OnDestroyMessage(ZephUI::HWND hwnd) override;

  /// Answers `msg` with `handler` instead of the previous procedure.
  void On(ZephUI::UINT msg, Handler handler) { handlers_[msg] = std::move(handler); }
  /// Consumes the messages `filter` accepts before they are dispatched in a modal loop.
  void Consume(std::function<bool(const ZephUI::MSG&)> filter) { consume_ = std::move(filter); }
  /// True when `msg` reached OnWindowMessage.
  bool Saw(ZephUI::UINT msg) const;

  std::vector<ZephUI::UINT> messages;          ///< every message OnWindowMessage got
  std::vector<ZephUI::UINT> offered;           ///< every message PreTranslateMessage got
  int initCalls = 0;                           ///< OnInitDialog calls
  bool createdBeforeInit = false;              ///< WM_CREATE came before OnInitDialog
  std::vector<ZephUI::HWND> destroyed;         ///< OnDestroyMessage arguments
  ZephUI::HWND handleAtDestroy = nullptr;      ///< GetSafeHwnd() inside OnDestroyMessage

 private:
  std::map<ZephUI::UINT, Handler> handlers_;
  std::function<bool(const ZephUI::MSG&)> consume_;
};

/// A heap window that deletes itself when its window goes, and says so.
class SelfDeletingWindow : public ZephUI::MWindow {
 public:
  explicit SelfDeletingWindow(bool& deleted) : deleted_(deleted) {}
  ~SelfDeletingWindow() override { deleted_ = true; }
  void OnDestroyMessage(ZephUI::HWND) override { delete this; }

 private:
  bool& deleted_;
};

}  // namespace zephuitest
