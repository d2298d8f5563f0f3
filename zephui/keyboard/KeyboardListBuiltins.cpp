#include <memory>

#include "keyboard/KeyboardListBuiltins.h"
#include "zephui/CRecordList.h"
#include "zephui/DListBox.h"
#include "zephui/KeyFuncControl.h"

namespace ZephUI {

void AddKeyboardListControls(const BuiltinSink& add) {
  add(u"DListBox", FactoryScope::Panel, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<DListBox>(a.parent, a.id, a.rect, a.visible);
  });
  add(u"CRecordList", FactoryScope::Panel, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<CRecordList>(a.parent, a.id, a.rect, a.visible);
  });
  add(u"KeyFuncControl", FactoryScope::Panel, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<KeyFuncControl>(a.parent, a.id, a.rect, a.visible);
  });
}

}  // namespace ZephUI
