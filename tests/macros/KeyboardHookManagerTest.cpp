// The hook's subscribers: who is offered a key, in which order, and when the
// hook is installed.
#include <gtest/gtest.h>

#include "macros/recorder/KeyboardHookManager.h"
#include "tests/fakes/FakeKeyboardHook.h"

namespace {

class Window : public KeyboardHookManager::Subscriber {
 public:
  explicit Window(long answer) : answer_(answer) {}
  long onHookMessage(std::uint32_t message, KeyMessage keyMessage, const HookKeyRecord& record) override {
    messages.push_back(message);
    keyMessages.push_back(keyMessage);
    keys.push_back(record.virtualKey);
    return answer_;
  }
  std::vector<std::uint32_t> messages;
  std::vector<KeyMessage> keyMessages;
  std::vector<int> keys;

 private:
  long answer_;
};

class HookSubscribers : public ::testing::Test {
 protected:
  bool fire(int virtualKey) { return hook_.fire(KeyMessage::KeyDown, {virtualKey, 30, 0, 0}); }

  FakeKeyboardHook hook_;
  std::unique_ptr<KeyboardHookManager> manager_ = std::make_unique<KeyboardHookManager>(hook_);
};

TEST_F(HookSubscribers, OfferedInOrderUntilOneConsumes) {
  Window passes(0), consumes(1), late(1);
  manager_->subscribe(passes);
  manager_->subscribe(consumes);
  manager_->subscribe(late);
  EXPECT_TRUE(fire('A'));
  EXPECT_EQ(passes.keys, std::vector<int>{'A'});
  EXPECT_EQ(consumes.keys, std::vector<int>{'A'});
  EXPECT_TRUE(late.keys.empty());
  EXPECT_EQ(passes.messages, std::vector<std::uint32_t>{1654});
  EXPECT_EQ(passes.keyMessages, std::vector<KeyMessage>{KeyMessage::KeyDown});
}

TEST_F(HookSubscribers, DisabledSubscribersAreSkipped) {
  Window disabled(1), enabled(1);
  manager_->subscribe(disabled);
  manager_->subscribe(enabled);
  manager_->setState(disabled, SubscriberState::Disabled);
  EXPECT_TRUE(fire('A'));
  EXPECT_TRUE(disabled.keys.empty());
  manager_->setState(disabled, SubscriberState::Enabled);
  fire('B');
  EXPECT_EQ(disabled.keys, std::vector<int>{'B'});
}

TEST_F(HookSubscribers, SubscribingTwiceKeepsOneEntry) {
  Window window(0);
  manager_->subscribe(window);
  manager_->subscribe(window);
  fire('A');
  EXPECT_EQ(window.keys.size(), 1u);
}

TEST_F(HookSubscribers, SubscribeInstallsTheHookAndReinstallsAnInstalledOne) {
  Window window(0);
  manager_->subscribe(window);
  EXPECT_TRUE(manager_->installed());
  manager_->subscribe(window);
  EXPECT_EQ(hook_.log, (std::vector<std::string>{"install", "uninstall", "install"}));
}

TEST_F(HookSubscribers, AHookThatFindsNoKeyboardCountsAsInstalled) {
  hook_.refuseInstall = true;
  EXPECT_FALSE(manager_->install());
  EXPECT_TRUE(manager_->installed());
}

TEST_F(HookSubscribers, ClearDropsEverySubscriber) {
  Window window(1);
  manager_->subscribe(window);
  manager_->clear();
  EXPECT_FALSE(fire('A'));
  EXPECT_TRUE(window.keys.empty());
}

TEST_F(HookSubscribers, DestroyingTheManagerRemovesTheHook) {
  Window window(1);
  manager_->subscribe(window);
  manager_.reset();
  EXPECT_FALSE(hook_.installed());
  EXPECT_EQ(hook_.log.back(), "uninstall");
}

}  // namespace
