// The tab strip, tab page and menu row classes of the factory.
#include <memory>

#include "controls/BuiltinControls.h"
#include "zephui/MTabCtrl.h"
#include "zephui/MTabLayout.h"
#include "zephui/MenuItem.h"

namespace ZephUI {

void AddTabMenuControls(const BuiltinSink& add) {
  add(u"MTabCtrl", FactoryScope::Both, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<MTabCtrl>(a.parent, a.id, a.rect, a.visible, a.enabled);
  });
  add(u"MTabLayout", FactoryScope::Both, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<MTabLayout>(a.parent, a.id, a.rect, a.visible);
  });
  add(u"MenuItem", FactoryScope::Both, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<MenuItem>(a.parent, a.id, a.rect, a.text, a.visible, true);
  });
}

}  // namespace ZephUI
