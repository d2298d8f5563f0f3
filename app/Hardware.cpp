#include "app/Hardware.h"

// Real devices are found by hidapi, udev and uinput as they are.
void PrepareHardware() {}

const char* HardwareVariant() { return ""; }
