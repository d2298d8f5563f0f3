#include "tests/demo/PassedKeysClone.h"

#include <linux/input-event-codes.h>

bool PassedKeysClone::Create(const UinputDeviceSpec& /*spec*/) {
  created_ = true;
  return true;
}

bool PassedKeysClone::Emit(int type, int code, int value) {
  if (!created_) return false;
  // Releases and repeats would only push the presses out of the short log.
  if (type == EV_KEY && value == 1) log_.Add(code);
  return true;
}
