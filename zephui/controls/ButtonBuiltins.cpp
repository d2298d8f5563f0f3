// The button and picture classes of the catalogue, handed to the class-name factory.
#include <memory>

#include "controls/BuiltinControls.h"
#include "zephui/CArea.h"
#include "zephui/CCheckButton.h"
#include "zephui/CColorButton.h"
#include "zephui/CGifPicture.h"
#include "zephui/CHelpButton.h"
#include "zephui/CIconButton.h"
#include "zephui/CImageButton.h"
#include "zephui/CPhotoFrame.h"
#include "zephui/CRadioButton.h"
#include "zephui/CSliderPicture.h"
#include "zephui/CSwitchButton.h"
#include "zephui/CTextButton.h"
#include "zephui/CTimerButton.h"
#include "zephui/MPicture.h"

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
  add(u"CImageButton", FactoryScope::Both, WithTitle<CImageButton>());
  add(u"CTextButton", FactoryScope::Both, WithTitle<CTextButton>());
  add(u"CColorButton", FactoryScope::Both, WithoutTitle<CColorButton>());
  add(u"CSwitchButton", FactoryScope::Both, WithoutTitle<CSwitchButton>());
  add(u"CIconButton", FactoryScope::Both, WithTitle<CIconButton>());
  add(u"CTimerButton", FactoryScope::Both, WithTitle<CTimerButton>());
  add(u"CHelpButton", FactoryScope::Both, WithTitle<CHelpButton>());
  add(u"MPicture", FactoryScope::Both, WithoutTitle<MPicture>());
  add(u"CPhotoFrame", FactoryScope::Both, WithoutTitle<CPhotoFrame>());
  add(u"CSliderPicture", FactoryScope::Both, WithoutTitle<CSliderPicture>());
  add(u"CGifPicture", FactoryScope::Both, WithoutTitle<CGifPicture>());
  add(u"CArea", FactoryScope::Both, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<CArea>(a.parent, a.id, a.rect, a.visible, true);
  });
}

}  // namespace ZephUI
