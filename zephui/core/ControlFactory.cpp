#include "zephui/ControlFactory.h"

#include <map>
#include <mutex>
#include <string>
#include <utility>

#include "controls/BuiltinControls.h"
#include "zephui/MControl.h"

namespace ZephUI {
namespace {

struct Entry {
  FactoryScope scope;
  ControlCreator creator;
};

// The library's classes are in the table from its first use; the application may replace or add names.
struct Table {
  Table() {
    AddBuiltinControls([this](std::u16string_view name, FactoryScope scope, ControlCreator creator) {
      classes.insert_or_assign(std::u16string(name), Entry{scope, std::move(creator)});
    });
  }

  std::mutex lock;
  std::map<std::u16string, Entry, std::less<>> classes;
};

Table& TheTable() {
  static Table table;
  return table;
}

bool InScope(FactoryScope scope, FactoryKind kind) {
  if (scope == FactoryScope::Both) return true;
  return kind == FactoryKind::Dialog ? scope == FactoryScope::Dialog : scope == FactoryScope::Panel;
}

}  // namespace

void ControlFactory::Register(std::u16string_view className, FactoryScope scope, ControlCreator creator) {
  if (className.empty() || !creator) return;
  Table& table = TheTable();
  std::lock_guard lock(table.lock);
  table.classes.insert_or_assign(std::u16string(className), Entry{scope, std::move(creator)});
}

bool ControlFactory::Unregister(std::u16string_view className) {
  Table& table = TheTable();
  std::lock_guard lock(table.lock);
  const auto it = table.classes.find(className);
  if (it == table.classes.end()) return false;
  table.classes.erase(it);
  return true;
}

bool ControlFactory::Knows(FactoryKind kind, std::u16string_view className) {
  Table& table = TheTable();
  std::lock_guard lock(table.lock);
  const auto it = table.classes.find(className);
  return it != table.classes.end() && InScope(it->second.scope, kind);
}

std::unique_ptr<MControl> ControlFactory::Create(FactoryKind kind, std::u16string_view className,
                                                 const ControlArgs& args) {
  ControlCreator creator;
  {
    Table& table = TheTable();
    std::lock_guard lock(table.lock);
    const auto it = table.classes.find(className);
    if (it == table.classes.end() || !InScope(it->second.scope, kind)) return nullptr;
    creator = it->second.creator;
  }
  return creator(args);  // constructors may build children through the factory
}

}  // namespace ZephUI
