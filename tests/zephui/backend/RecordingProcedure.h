// A window procedure for tests: records every message it gets and lets a test
// answer chosen messages itself; everything else goes to DefWindowProc.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "zephui/Window.h"

namespace zephuitest {

/// One recorded message.
struct Seen {
  ZephUI::HWND hwnd = nullptr;
  ZephUI::UINT message = 0;
  ZephUI::WPARAM wParam = 0;
  ZephUI::LPARAM lParam = 0;
};

class RecordingProcedure : public ZephUI::WindowProcedure {
 public:
  /// A handler for one message number; its result is returned instead of DefWindowProc's.
  using Handler = std::function<ZephUI::LRESULT(ZephUI::HWND, ZephUI::WPARAM, ZephUI::LPARAM)>;

  ZephUI::LRESULT HandleMessage(ZephUI::HWND hwnd, ZephUI::UINT message, ZephUI::WPARAM wParam,
                                ZephUI::LPARAM lParam) override;

  /// Answers `message` with `handler` from now on.
  void On(ZephUI::UINT message, Handler handler);
  /// Every message seen, in order.
  std::vector<Seen> All() const;
  /// The numbers of the messages seen that are in `interesting`, in order.
  std::vector<ZephUI::UINT> Sequence(const std::vector<ZephUI::UINT>& interesting) const;
  /// How many times `message` was seen.
  int Count(ZephUI::UINT message) const;
  /// The last `message` seen, if any.
  std::optional<Seen> Last(ZephUI::UINT message) const;
  /// Forgets what was seen.
  void Clear();

 private:
  mutable std::mutex mutex_;  // messages may arrive from a test's helper thread
  std::vector<Seen> seen_;
  std::map<ZephUI::UINT, Handler> handlers_;
};

}  // namespace zephuitest
