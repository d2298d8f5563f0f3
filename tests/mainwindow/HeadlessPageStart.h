// How every headless page test starts: the headless backend with a clock that runs by itself, English
// texts, and for pages that store, a fresh model database in the test's folder.
#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "app/LanguageText.h"
#include "store/ProfileStore.h"
#include "zephui/Backend.h"
#include "zephui/Headless.h"

inline void StartHeadlessPage() {
  ASSERT_TRUE(ZephUI::SelectBackend(ZephUI::BackendKind::Headless));
  ZephUI::Headless::Reset();
  ZephUI::Headless::SetClockMode(ZephUI::Headless::ClockMode::AutoAdvance);
  SetLanguageId(1033);
}

inline bool OpenTestDatabase(ProfileStore& store, const std::string& folder) {
  std::filesystem::create_directories(folder + "db");
  return store.OpenDeviceDatabase(folder, u"Test Board");
}
