#include "tests/demo/SimulatedKeySource.h"

namespace {

FakeEvdevDevice::Identity KeyboardIdentity(std::uint16_t vendorId, std::uint16_t productId) {
  FakeEvdevDevice::Identity identity;
  identity.path = SimulatedKeySource::kPath;
  identity.name = "Pelmora T40 Keyboard";
  identity.vendorId = vendorId;
  identity.productId = productId;
  return identity;
}

}  // namespace

SimulatedKeySource::SimulatedKeySource(std::uint16_t vendorId, std::uint16_t productId)
    : script_(std::make_shared<FakeEvdevDevice::Script>(KeyboardIdentity(vendorId, productId))) {
  add(script_);
}

KeyDelivery SimulatedKeySource::Press(int code) { return Send(code, 1); }

KeyDelivery SimulatedKeySource::Release(int code) { return Send(code, 0); }

bool SimulatedKeySource::Served() const { return script_->grabbed(); }

bool SimulatedKeySource::WaitUntilServed() const {
  return script_->waitUntil([this] { return script_->grabbed(); });
}

bool SimulatedKeySource::WaitUntilRead() const {
  return script_->waitUntil([this] { return script_->pending() == 0; });
}

KeyDelivery SimulatedKeySource::Send(int code, int value) {
  // Unread keys would otherwise pile up until the next grab and then all fire at once.
  if (!script_->grabbed()) return KeyDelivery::Unserved;
  script_->queue(FakeEvdevDevice::keyFrame(code, value));
  return KeyDelivery::ToFilter;
}
