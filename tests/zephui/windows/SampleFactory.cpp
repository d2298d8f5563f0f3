#include "tests/zephui/windows/SampleFactory.h"

#include <memory>

#include "tests/zephui/windows/SampleButton.h"
#include "tests/zephui/windows/SamplePanel.h"
#include "tests/zephui/windows/SampleText.h"
#include "zephui/ControlFactory.h"

using namespace ZephUI;

namespace zephuitest {

void RegisterSampleControls() {
  const auto text = [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<SampleText>(a.parent, a.id, a.rect, a.text, a.visible);
  };
  ControlFactory::Register(u"SampleButton", FactoryScope::Both, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<SampleButton>(a.parent, a.id, a.rect, a.text, a.visible, a.enabled);
  });
  ControlFactory::Register(u"SampleText", FactoryScope::Both, text);
  ControlFactory::Register(u"SampleDialogOnly", FactoryScope::Dialog, text);
  ControlFactory::Register(u"SamplePanelOnly", FactoryScope::Panel, text);
  ControlFactory::Register(u"SamplePanel", FactoryScope::Both, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<SamplePanel>(a.parent, a.id, a.rect, a.visible);
  });
}

}  // namespace zephuitest
