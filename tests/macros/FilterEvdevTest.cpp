// Opening event nodes for real: what the filter and the recorder are told
// when a node is missing or is not an input device at all.
#include <gtest/gtest.h>

#include "macros/filter/UdevEvdevDiscovery.h"

namespace {

TEST(FilterEvdevOpen, AMissingNodeIsReportedMissing) {
  UdevEvdevDiscovery discovery;
  const OpenResult result = discovery.open("/dev/input/event-that-does-not-exist");
  EXPECT_EQ(result.status, OpenStatus::Missing);
  EXPECT_EQ(result.device, nullptr);
}

TEST(FilterEvdevOpen, ANodeThatIsNoInputDeviceFailsWithoutADevice) {
  UdevEvdevDiscovery discovery;
  const OpenResult result = discovery.open("/dev/null");
  EXPECT_EQ(result.status, OpenStatus::Failed);
  EXPECT_EQ(result.device, nullptr);
}

}  // namespace
