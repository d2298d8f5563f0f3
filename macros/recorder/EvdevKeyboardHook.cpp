#include "macros/recorder/EvdevKeyboardHook.h"

#include <linux/input-event-codes.h>

EvdevKeyboardHook::EvdevKeyboardHook(EvdevDiscovery& discovery, Clock& clock) : reader_(discovery, clock) {}

EvdevKeyboardHook::~EvdevKeyboardHook() {
  uninstall();
}

bool EvdevKeyboardHook::install(Handler handler) {
  reader_.stop();
  handler_ = std::move(handler);
  translator_ = HookKeyTranslator();
  return reader_.start(ReaderMode::Grab, [this](const AllKeyboardsReader::Event& e) { onKeyboardEvent(e); }) > 0;
}

void EvdevKeyboardHook::uninstall() {
  reader_.stop();
}

void EvdevKeyboardHook::onKeyboardEvent(const AllKeyboardsReader::Event& event) {
  if (event.input.type != EV_KEY) return;
  // Before the grab only releases matter: the presses reached the system already.
  if (event.phase == ReaderPhase::BeforeGrab && event.input.value != 0) return;
  const auto [message, record] = translator_.translate(event.input.code, event.input.value, event.time);
  if (handler_) handler_(message, record);
}
