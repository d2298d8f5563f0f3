#include <memory>

#include "controls/BuiltinControls.h"
#include "zephui/CComboBoxList.h"
#include "zephui/CSpinButton.h"
#include "zephui/MComboBox.h"
#include "zephui/MEdit.h"
#include "zephui/MEditEx.h"
#include "zephui/MRichEdit.h"

namespace ZephUI {

void AddEditControls(const BuiltinSink& add) {
  add(u"MEdit", FactoryScope::Both, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<MEdit>(a.parent, a.id, a.rect, a.text, a.visible, a.enabled);
  });
  add(u"MRichEdit", FactoryScope::Both, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<MRichEdit>(a.parent, a.id, a.rect, a.text, a.visible, a.enabled);
  });
  add(u"MEditEx", FactoryScope::Both, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<MEditEx>(a.parent, a.id, a.rect, a.text, a.visible, a.enabled);
  });
  add(u"CSpinButton", FactoryScope::Both, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<CSpinButton>(a.parent, a.id, a.rect, a.visible, a.enabled);
  });
  add(u"MComboBox", FactoryScope::Both, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<MComboBox>(a.parent, a.id, a.rect, a.visible, a.enabled);
  });
  add(u"CComboBoxList", FactoryScope::Dialog, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<CComboBoxList>(a.parent, a.id, a.rect, a.visible);
  });
}

}  // namespace ZephUI
