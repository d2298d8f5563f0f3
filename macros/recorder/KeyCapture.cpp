#include "macros/recorder/KeyCapture.h"

#include <linux/input-event-codes.h>

#include "device/KeyCodes.h"
#include "device/LinuxKeyTables.h"
#include "macros/recorder/HookKeyTranslator.h"

namespace {
constexpr int kFirstModifierKey = 160;  // left Shift
constexpr int kLastModifierKey = 165;   // right Alt
}  // namespace

KeyCapture::KeyCapture(EvdevDiscovery& discovery, Clock& clock) : reader_(discovery, clock) {}

bool KeyCapture::start(Receiver receiver) {
  const auto deliver = [receiver](const AllKeyboardsReader::Event& event) { receiver(decode(event.input)); };
  if (reader_.start(ReaderMode::Observe, deliver) > 0) return true;
  return reader_.start(ReaderMode::Observe, deliver) > 0;
}

void KeyCapture::stop() {
  reader_.stop();
}

CapturedInput KeyCapture::decode(const InputEvent& event) {
  CapturedInput input;
  if (event.type == EV_REL) {
    input.kind = InputKind::Mouse;
    return input;
  }
  if (event.type != EV_KEY) return input;
  input.action = event.value == 0 ? KeyAction::Release : KeyAction::Press;
  // Buttons (mouse, joystick, digitiser) share EV_KEY with the keys.
  if (event.code >= BTN_MISC && event.code < KEY_OK) {
    input.kind = InputKind::Mouse;
    return input;
  }
  input.kind = InputKind::Keyboard;
  const int virtualKey = LinuxKeyTables::evdevToVirtualKey(event.code);
  if (virtualKey == 0) return input;
  input.name = KeyCodes::keyDisplayName(virtualKey, HookKeyTranslator::scanCodeOf(event.code).code);
  input.virtualKey = KeyCodes::recordedVirtualKey(virtualKey);
  return input;
}

bool KeyCapture::takesKey(const CapturedInput& input, CaptureTarget target) {
  if (input.kind != InputKind::Keyboard || input.action != KeyAction::Press) return false;
  if (input.virtualKey == 0 || input.name.empty()) return false;
  if (target == CaptureTarget::CustomKeyDialog && input.virtualKey >= kFirstModifierKey &&
      input.virtualKey <= kLastModifierKey) {
    return false;
  }
  return true;
}
