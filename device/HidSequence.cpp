#include "device/HidSequence.h"

#include "device/HidManager.h"

HidSequence::HidSequence(HidManager& hid) : hid_(hid) { hid_.BeginSequence(); }

HidSequence::~HidSequence() { hid_.EndSequence(); }
