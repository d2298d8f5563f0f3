#include "tests/zephui/backend/RecordingProcedure.h"

#include <algorithm>

namespace zephuitest {

ZephUI::LRESULT RecordingProcedure::HandleMessage(ZephUI::HWND hwnd, ZephUI::UINT message, ZephUI::WPARAM wParam,
                                                  ZephUI::LPARAM lParam) {
  Handler handler;
  {
    std::lock_guard lock(mutex_);
    seen_.push_back(Seen{hwnd, message, wParam, lParam});
    const auto it = handlers_.find(message);
    if (it != handlers_.end()) handler = it->second;
  }
  if (handler) return handler(hwnd, wParam, lParam);
  return ZephUI::DefWindowProc(hwnd, message, wParam, lParam);
}

void RecordingProcedure::On(ZephUI::UINT message, Handler handler) {
  std::lock_guard lock(mutex_);
  handlers_[message] = std::move(handler);
}

std::vector<Seen> RecordingProcedure::All() const {
  std::lock_guard lock(mutex_);
  return seen_;
}

std::vector<ZephUI::UINT> RecordingProcedure::Sequence(const std::vector<ZephUI::UINT>& interesting) const {
  std::lock_guard lock(mutex_);
  std::vector<ZephUI::UINT> out;
  for (const Seen& s : seen_) {
    if (std::find(interesting.begin(), interesting.end(), s.message) != interesting.end()) out.push_back(s.message);
  }
  return out;
}

int RecordingProcedure::Count(ZephUI::UINT message) const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(std::count_if(seen_.begin(), seen_.end(), [message](const Seen& s) { return s.message == message; }));
}

std::optional<Seen> RecordingProcedure::Last(ZephUI::UINT message) const {
  std::lock_guard lock(mutex_);
  for (auto it = seen_.rbegin(); it != seen_.rend(); ++it) {
    if (it->message == message) return *it;
  }
  return std::nullopt;
}

void RecordingProcedure::Clear() {
  std::lock_guard lock(mutex_);
  seen_.clear();
}

}  // namespace zephuitest
