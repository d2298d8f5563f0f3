// A profile store of its own on a fresh database in a temporary folder, plus
// raw SQL access to check what really landed in the file.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "store/ProfileStore.h"
#include "tests/support/TempFolder.h"

class StoreFixture : public ::testing::Test {
 protected:
  static constexpr char16_t kBoard[] = u"Test Board";

  void SetUp() override;
  void TearDown() override;

  /// The database file of kBoard.
  std::string DbPath() const { return ProfileStore::DatabasePath(folder_.Path(), kBoard); }
  /// Runs one SQL query on a separate connection and returns the first column of the first row as text ("" when none).
  std::string QueryText(const std::string& sql) const;
  /// Runs one SQL query on a separate connection and returns the first column of the first row as a number.
  int QueryInt(const std::string& sql) const;
  /// Runs SQL on a separate connection; true when it succeeded.
  bool Exec(const std::string& sql) const;

  testsupport::TempFolder folder_;
  ProfileStore store_;
};
