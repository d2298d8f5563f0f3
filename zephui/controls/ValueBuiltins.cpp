#include <memory>

#include "controls/BuiltinControls.h"
#include "zephui/CColorPalette.h"
#include "zephui/CColorSelect.h"
#include "zephui/CirclePalette.h"
#include "zephui/MLevelCtrl.h"
#include "zephui/MListBox.h"
#include "zephui/MPalette.h"
#include "zephui/MProgress.h"
#include "zephui/MSlider.h"
#include "zephui/MSpinButton.h"

namespace ZephUI {

void AddValueControls(const BuiltinSink& add) {
  add(u"MProgress", FactoryScope::Both, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<MProgress>(a.parent, a.id, a.rect, a.visible, a.enabled);
  });
  add(u"MSlider", FactoryScope::Both, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<MSlider>(a.parent, a.id, a.rect, a.visible, a.enabled);
  });
  add(u"MLevelCtrl", FactoryScope::Both, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<MLevelCtrl>(a.parent, a.id, a.rect, a.visible, a.enabled);
  });
  add(u"MPalette", FactoryScope::Both, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<MPalette>(a.parent, a.id, a.rect, a.visible, true);
  });
  add(u"CirclePalette", FactoryScope::Both, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<CirclePalette>(a.parent, a.id, a.rect, a.visible, true);
  });
  add(u"MSpinButton", FactoryScope::Both, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<MSpinButton>(a.parent, a.id, a.rect, a.visible, a.enabled);
  });
  add(u"MListBox", FactoryScope::Both, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<MListBox>(a.parent, a.id, a.rect, a.visible);
  });
  add(u"CColorPalette", FactoryScope::Both, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<CColorPalette>(a.parent, a.id, a.rect, a.visible);
  });
  add(u"CColorSelect", FactoryScope::Both, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<CColorSelect>(a.parent, a.id, a.rect, a.visible);
  });
}

}  // namespace ZephUI
