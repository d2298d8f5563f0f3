#include "app/SingleInstance.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/support/TempFolder.h"

TEST(SingleInstance, SecondCopyIsRefusedUntilTheFirstEnds) {
  testsupport::TempFolder folder;
  auto first = std::make_unique<SingleInstance>();
  EXPECT_EQ(first->Acquire(folder.Path(), "Test Device"), SingleInstance::Result::First);
  EXPECT_EQ(first->LockPath(), folder.Path() + "Test Device.lock");
  SingleInstance second;
  EXPECT_EQ(second.Acquire(folder.Path(), "Test Device"), SingleInstance::Result::AlreadyRunning);
  first.reset();
  SingleInstance third;
  EXPECT_EQ(third.Acquire(folder.Path(), "Test Device"), SingleInstance::Result::First);
}

TEST(SingleInstance, NoLockFileRunsAsFirstCopy) {
  testsupport::TempFolder folder;
  SingleInstance instance;
  EXPECT_EQ(instance.Acquire(folder.Path() + "missing/", "Test Device"), SingleInstance::Result::First);
}
