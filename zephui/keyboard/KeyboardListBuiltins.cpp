#include <memory>

#include "keyboard/KeyboardListBuiltins.h"
#include "zephui/BatteryCtrl.h"
#include "zephui/CDeviceCtrl.h"
#include "zephui/CRecordList.h"
#include "zephui/DListBox.h"
#include "zephui/DownloadButton.h"
#include "zephui/KeyFuncControl.h"
#include "zephui/UpgradeButton.h"

namespace ZephUI {
namespace {

void AddDeviceControls(const BuiltinSink& add) {
  add(u"CDeviceCtrl", FactoryScope::Both, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<CDeviceCtrl>(a.parent, a.id, a.rect, a.visible, true);
  });
  add(u"BatteryCtrl", FactoryScope::Dialog, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<BatteryCtrl>(a.parent, a.id, a.rect, a.visible, true);
  });
  add(u"UpgradeButton", FactoryScope::Panel, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<UpgradeButton>(a.parent, a.id, a.rect, a.text, a.visible, a.enabled);
  });
  add(u"DownloadButton", FactoryScope::Panel, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<DownloadButton>(a.parent, a.id, a.rect, a.text, a.visible, a.enabled);
  });
}

}  // namespace

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
  AddDeviceControls(add);
}

}  // namespace ZephUI
