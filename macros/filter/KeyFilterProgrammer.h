// Programs the key filter with the assigned keys of one profile and layer,
// and hands the rows to the playback side, which keeps the key-to-row map it
// looks up what a reported key does in. Runs after every change of key assignments,
// macros, macro settings or the current profile.
#pragma once

#include <functional>
#include <vector>

#include "macros/filter/KeyFilterControl.h"
#include "store/ProfileStore.h"

class KeyFilterProgrammer {
 public:
  /// What programming needs besides the filter.
  struct Links {
    std::function<void()> resetReports;  ///< releases everything on the virtual device
    std::function<void(const std::vector<KeyAssignmentRecord>&)> setRows;  ///< replaces playback's key-to-row map
  };

  /// A programmer of `filter` from `store` (both must outlive it).
  KeyFilterProgrammer(KeyFilterControl& filter, ProfileStore& store, Links links);

  /// Reprograms the filter with the profile's and layer's assignments; how the filter came out.
  FilterStatus programKeyFilter(int profile, int layer);
  /// Stops the monitor and clears the table (program exit).
  void stopKeyFilter();

 private:
  void loadEmptyTable();

  KeyFilterControl& filter_;
  ProfileStore& store_;
  Links links_;
};
