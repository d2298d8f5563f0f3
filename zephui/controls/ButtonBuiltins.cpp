// The button and picture classes of the catalogue, handed to the class-name factory.
#include <memory>

#include "controls/BuiltinControls.h"
#include "zephui/CCheckButton.h"
#include "zephui/CRadioButton.h"

namespace ZephUI {
namespace {

template <typename T>
ControlCreator WithTitle() {
  return [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<T>(a.parent, a.id, a.rect, a.text, a.visible, a.enabled);
  };
}

template <typename T>
ControlCreator WithoutTitle() {
  return [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<T>(a.parent, a.id, a.rect, a.visible, a.enabled);
  };
}

}  // namespace

void AddButtonControls(const BuiltinSink& add) {
  add(u"CCheckButton", FactoryScope::Both, WithTitle<CCheckButton>());
  add(u"CRadioButton", FactoryScope::Both, WithTitle<CRadioButton>());
}

}  // namespace ZephUI
