#include "keyboard/KeyboardBuiltins.h"

#include <memory>

#include "zephui/KeyboardCtrl.h"

namespace ZephUI {

void AddKeyboardControls(const BuiltinSink& add) {
  add(u"KeyboardCtrl", FactoryScope::Both, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<KeyboardCtrl>(a.parent, a.id, a.rect, a.visible);
  });
}

}  // namespace ZephUI
