// The hardware of the services tests: event devices and clones that exist
// only in memory (the tests hand the services their own discovery).
#include <memory>

#include "app/Hardware.h"
#include "tests/fakes/FakeEvdevDiscovery.h"
#include "tests/fakes/FakeUinputSink.h"

void PrepareHardware() {}

const char* HardwareVariant() { return "test"; }

EvdevDiscovery& KeyFilterDiscovery() {
  static FakeEvdevDiscovery discovery;
  return discovery;
}

std::unique_ptr<UinputSink> MakeFilterClone() { return std::make_unique<FakeUinputSink>(); }

void ShowHardwareWindows() {}
