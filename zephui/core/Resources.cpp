#include "zephui/Resources.h"

#include <map>
#include <mutex>
#include <string>
#include <tuple>

namespace ZephUI {
namespace {

using Key = std::tuple<ResourceModule, int, std::u16string>;

struct Table {
  std::mutex lock;
  std::map<Key, std::vector<std::uint8_t>> entries;
};

Table& TheTable() {
  static Table table;
  return table;
}

}  // namespace

void Resources::Add(ResourceModule module, int id, std::u16string_view type, std::span<const std::uint8_t> bytes) {
  Table& table = TheTable();
  std::lock_guard lock(table.lock);
  table.entries[Key{module, id, std::u16string(type)}] = std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

std::vector<std::uint8_t> Resources::Find(ResourceModule module, int id, std::u16string_view type) {
  Table& table = TheTable();
  std::lock_guard lock(table.lock);
  const auto it = table.entries.find(Key{module, id, std::u16string(type)});
  return it != table.entries.end() ? it->second : std::vector<std::uint8_t>{};
}

bool Resources::Has(ResourceModule module, int id, std::u16string_view type) {
  Table& table = TheTable();
  std::lock_guard lock(table.lock);
  return table.entries.contains(Key{module, id, std::u16string(type)});
}

void Resources::Clear() {
  Table& table = TheTable();
  std::lock_guard lock(table.lock);
  table.entries.clear();
}

}  // namespace ZephUI
