// The demo build's key filter clone: it needs no uinput and notes the key
// presses that pass through it in a log the "Simulated keyboard" window shows.
#pragma once

#include "macros/virtualdevice/UinputSink.h"
#include "tests/demo/PassedKeyLog.h"

class PassedKeysClone : public UinputSink {
 public:
  /// A clone noting presses in `log`, which must outlive it.
  explicit PassedKeysClone(PassedKeyLog& log) : log_(log) {}

  /// Always works.
  bool Create(const UinputDeviceSpec& spec) override;
  /// True between Create and Destroy.
  bool IsCreated() const override { return created_; }
  /// Notes key presses; false before Create, as a missing device would refuse.
  bool Emit(int type, int code, int value) override;
  /// Forgets the device.
  void Destroy() override { created_ = false; }

 private:
  PassedKeyLog& log_;
  bool created_ = false;
};
