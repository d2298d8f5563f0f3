#include "controls/BuiltinControls.h"

#include <memory>

#include "keyboard/KeyboardBuiltins.h"
#include "keyboard/KeyboardListBuiltins.h"
#include "zephui/MButton.h"
#include "zephui/MText.h"

namespace ZephUI {

void AddBuiltinControls(const BuiltinSink& add) {
  add(u"MText", FactoryScope::Both, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<MText>(a.parent, a.id, a.rect, a.text, a.visible);
  });
  add(u"MButton", FactoryScope::Both, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<MButton>(a.parent, a.id, a.rect, a.text, a.visible, a.enabled);
  });
  AddEditControls(add);
  AddTabMenuControls(add);
  AddButtonControls(add);
  AddValueControls(add);
  AddKeyboardListControls(add);
  AddKeyboardControls(add);
}

}  // namespace ZephUI
