#include "macros/filter/KeyFilterProgrammer.h"

#include <array>
#include <vector>

#include "macros/filter/KeyFilterTable.h"

KeyFilterProgrammer::KeyFilterProgrammer(KeyFilterControl& filter, ProfileStore& store, Links links)
    : filter_(filter), store_(store), links_(std::move(links)) {}

FilterStatus KeyFilterProgrammer::programKeyFilter(int profile, int layer) {
  if (links_.resetReports) links_.resetReports();
  filter_.stopMonitor();
  loadEmptyTable();
  // Playback's key-to-row map is replaced below, once the rows are read.

  std::vector<KeyAssignmentRecord> rows;
  store_.ListKeyAssignments(profile, layer, rows);
  // The table has room for 256 keys; rows beyond that are left out. The key
  // page stops at 64 counted assignments, so only hand-edited data gets there.
  if (rows.size() > KeyFilterTable::kMaxEntries) rows.resize(KeyFilterTable::kMaxEntries);
  std::vector<std::uint16_t> keyCodes;
  keyCodes.reserve(rows.size());
  for (const KeyAssignmentRecord& row : rows) keyCodes.push_back(static_cast<std::uint16_t>(row.keyCode));
  if (links_.setRows) links_.setRows(rows);

  const auto table = KeyFilterTable::encode(keyCodes);
  filter_.loadTable(table);
  filter_.commitTable();
  const FilterStatus status = filter_.startFiltering();
  filter_.startMonitor();
  return status;
}

void KeyFilterProgrammer::stopKeyFilter() {
  filter_.stopMonitor();
  loadEmptyTable();
}

void KeyFilterProgrammer::loadEmptyTable() {
  const std::array<std::uint8_t, KeyFilterTable::kClearBytes> empty{};
  filter_.loadTable(empty);
}
