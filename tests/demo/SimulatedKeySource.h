// The demo build's keyboard as the key filter finds it: one event device of
// the simulated T40, listed and opened through EvdevDiscovery like a real
// node. Tests and the demo's key pipe press its keys here; while the key
// filter holds its grab they reach the filter, otherwise they are dropped,
// as the desktop itself would have had them.
//
//   SimulatedKeySource keys(0x1209, 0x0001);
//   KeyFilterDriver filter(keys, makeClone, {{0x1209, 0x0001}});
//   ... load, commit and start a table ...
//   keys.WaitUntilServed();
//   keys.Press(KEY_A);
//   keys.Release(KEY_A);
#pragma once

#include <cstdint>
#include <memory>

#include "tests/fakes/FakeEvdevDiscovery.h"

/// Whether a pressed or released key reached a reader.
enum class KeyDelivery {
  ToFilter,   ///< the key filter holds the keyboard and reads the key
  Unserved,   ///< nobody holds the keyboard; the key went nowhere
};

class SimulatedKeySource : public FakeEvdevDiscovery {
 public:
  /// The node the keyboard is listed under.
  static constexpr const char* kPath = "/dev/input/simulated-t40";

  /// A keyboard with these USB ids.
  SimulatedKeySource(std::uint16_t vendorId, std::uint16_t productId);

  /// Presses a key (evdev code, KEY_*).
  KeyDelivery Press(int code);
  /// Releases a key.
  KeyDelivery Release(int code);
  /// Whether the key filter holds the keyboard now.
  bool Served() const;
  /// Waits (up to a safety limit) until the key filter holds the keyboard; false if it never did.
  bool WaitUntilServed() const;
  /// Waits (up to a safety limit) until every key sent so far has been read; false if not.
  bool WaitUntilRead() const;

 private:
  KeyDelivery Send(int code, int value);

  std::shared_ptr<FakeEvdevDevice::Script> script_;
};
