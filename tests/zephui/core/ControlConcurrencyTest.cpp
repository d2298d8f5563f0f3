// Animation ticks that remove controls on the timer thread while the window's
// thread dispatches input through the same controls (run under
// ThreadSanitizer as well as AddressSanitizer).
#include <thread>

#include "tests/zephui/core/ControlHost.h"
#include "zephui/Headless.h"

using namespace ZephUI;

namespace controltest {
namespace {

class ControlConcurrency : public ControlFixture {};

TEST_F(ControlConcurrency, TickRemovalsWhileTheWindowDispatchesInputThroughTheSameControls) {
  constexpr int kChildren = 40;
  MakeHost(420, 200);
  ColourPanel* panel = host_->AddPanel(1000, Rect{0, 0, 420, 200});
  std::vector<std::atomic<bool>> destroyed(kChildren);
  for (int i = 0; i < kChildren; ++i) {
    const int x = (i % 20) * 20;
    const int y = (i / 20) * 100;
    auto* child = static_cast<ColourControl*>(panel->AddChild(
        std::make_unique<ColourControl>(panel, 10 + i, Rect{x, y, x + 20, y + 100}), 1));
    child->destroyed = &destroyed[static_cast<std::size_t>(i)];
  }
  // Each tick removes the most recently added child that is still there.
  panel->onTimer = [panel] {
    const std::vector<MControl*> children = panel->GetControls();
    if (children.size() > 2) panel->RemoveControl(children.back());  // the first two are the scroll bars
  };
  panel->SetRunTimer(true);
  panel->AddMTimer();
  host_->manager->SetMTimer(10);

  std::atomic<bool> done{false};
  std::thread clock([&done] {
    for (int i = 0; i < kChildren + 5; ++i) Headless::AdvanceClock(10);
    done = true;
  });
  for (int step = 0; !done; ++step) {
    const int x = (step * 7) % 400;
    Headless::MoveMouseToClient(host_->hwnd, x, (step % 2) * 100 + 50);
    if (step % 5 == 0) Headless::ClickClient(host_->hwnd, x, 50);
    Headless::Pump();
  }
  clock.join();
  Headless::Pump();
  for (int i = 0; i < kChildren; ++i) EXPECT_TRUE(destroyed[static_cast<std::size_t>(i)]) << i;
  EXPECT_EQ(panel->GetControls().size(), 2U);
  EXPECT_EQ(panel->GetHoverChild(), nullptr);
  MControl* focus = host_->manager->GetFocusControl();
  EXPECT_TRUE(focus == panel || focus == nullptr);
}

}  // namespace
}  // namespace controltest
