#include "tests/zephui/core/TestControls.h"

#include "zephui/ControlFactory.h"
#include "zephui/MRender.h"

using namespace ZephUI;

namespace controltest {

ColourControl::ColourControl(MObject* parent, std::uint32_t id, const Rect& rect, ArgbColor fill, bool visible,
                             bool enabled)
    : MControlFont(parent, id, rect, u"", visible, enabled, true), colour(fill) {}

ColourControl::~ColourControl() {
  if (destroyed != nullptr) *destroyed = true;
}

void ColourControl::DrawControl(RenderContext& hdc, const Rect& paintRect) {
  ++log.draws;
  log.lastPaint = paintRect;
  MRender::DrawColor(hdc, GetRect(), colour);
}

int ColourControl::OnControlMouseMove(std::uint32_t, Point point) {
  ++log.moves;
  log.lastMove = point;
  return answer;
}

int ColourControl::OnControlLButtonDown(std::uint32_t, Point point) {
  ++log.downs;
  log.lastDown = point;
  if (onDown) {
    onDown();
    ++touchedAfterHook;
  }
  return answer;
}

int ColourControl::OnControlLButtonUp(std::uint32_t, Point) {
  ++log.ups;
  if (onUp) {
    onUp();
    ++touchedAfterHook;
    UpdateControl(CacheReset::Keep);
  }
  return answer;
}

int ColourControl::OnControlLButtonDblClk(std::uint32_t, Point) {
  ++log.doubleClicks;
  return answer;
}

int ColourControl::OnControlRButtonDown(std::uint32_t, Point) {
  ++log.rightDowns;
  return answer;
}

int ColourControl::OnControlScroll(int, int direction, Point) {
  log.scrolls.push_back(direction);
  return answer;
}

int ColourControl::OnControlKeyDown(std::uint32_t key, std::uint32_t, std::uint32_t) {
  ++log.keys;
  log.keyCodes.push_back(key);
  return answer;
}

int ColourControl::OnControlTimer() {
  ++log.timers;
  if (onTimer) {
    onTimer();
    ++touchedAfterHook;
  }
  return timerAnswer;
}

ColourPanel::ColourPanel(MObject* parent, std::uint32_t id, const Rect& rect, bool visible)
    : MPanel(parent, id, rect, visible) {}

void ColourPanel::DrawControl(RenderContext& hdc, const Rect&) { MRender::DrawColor(hdc, GetRect(), colour); }

int ColourPanel::OnControlTimer() {
  if (onTimer) onTimer();
  return 1;
}

void RegisterTestClasses() {
  const auto colour = [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<ColourControl>(a.parent, a.id, a.rect, ArgbColor(0xFFFF0000), a.visible, a.enabled);
  };
  ControlFactory::Register(u"TestColour", FactoryScope::Both, colour);
  ControlFactory::Register(u"TestDialogOnly", FactoryScope::Dialog, colour);
  ControlFactory::Register(u"TestPanelOnly", FactoryScope::Panel, colour);
  ControlFactory::Register(u"TestPanel", FactoryScope::Both, [](const ControlArgs& a) -> std::unique_ptr<MControl> {
    return std::make_unique<ColourPanel>(a.parent, a.id, a.rect, a.visible);
  });
}

}  // namespace controltest
