#include "macros/filter/LibevdevDevice.h"

#include <libevdev/libevdev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

namespace {

InputEvent Converted(const struct input_event& raw) {
  const auto ms = static_cast<std::uint64_t>(raw.input_event_sec) * 1000 +
                  static_cast<std::uint64_t>(raw.input_event_usec) / 1000;
  return InputEvent{raw.type, raw.code, raw.value, ms};
}

}  // namespace

std::unique_ptr<LibevdevDevice> LibevdevDevice::fromFd(int fd, const std::string& path) {
  const int cancelFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (cancelFd < 0) {
    const int error = errno;
    close(fd);
    errno = error;
    return nullptr;
  }
  struct libevdev* dev = nullptr;
  const int rc = libevdev_new_from_fd(fd, &dev);
  if (rc < 0) {
    close(cancelFd);
    close(fd);
    errno = -rc;
    return nullptr;
  }
  // Event times on the monotonic clock, so a clock change between two keys cannot bend a recorded delay.
  libevdev_set_clock_id(dev, CLOCK_MONOTONIC);
  return std::unique_ptr<LibevdevDevice>(new LibevdevDevice(fd, cancelFd, dev, path));
}

LibevdevDevice::LibevdevDevice(int fd, int cancelFd, struct libevdev* dev, std::string path)
    : fd_(fd), cancelFd_(cancelFd), dev_(dev), path_(std::move(path)) {
  const char* name = libevdev_get_name(dev_);
  name_ = name ? name : "";
}

LibevdevDevice::~LibevdevDevice() {
  libevdev_free(dev_);
  close(fd_);
  close(cancelFd_);
}

std::uint16_t LibevdevDevice::vendorId() const {
  return static_cast<std::uint16_t>(libevdev_get_id_vendor(dev_));
}

std::uint16_t LibevdevDevice::productId() const {
  return static_cast<std::uint16_t>(libevdev_get_id_product(dev_));
}

std::vector<int> LibevdevDevice::keyCodes() const {
  std::vector<int> codes;
  for (unsigned code = 0; code <= KEY_MAX; ++code) {
    if (libevdev_has_event_code(dev_, EV_KEY, code)) codes.push_back(static_cast<int>(code));
  }
  return codes;
}

bool LibevdevDevice::hasRelativeAxes() const {
  return libevdev_has_event_type(dev_, EV_REL) != 0;
}

bool LibevdevDevice::grab() {
  const int rc = libevdev_grab(dev_, LIBEVDEV_GRAB);
  if (rc < 0) lastError_ = -rc;
  return rc == 0;
}

void LibevdevDevice::ungrab() {
  // Fails harmlessly on a device that is already gone.
  libevdev_grab(dev_, LIBEVDEV_UNGRAB);
}

std::vector<int> LibevdevDevice::heldKeys() const {
  std::vector<int> held;
  for (unsigned code = 0; code <= KEY_MAX; ++code) {
    if (libevdev_has_event_code(dev_, EV_KEY, code) && libevdev_get_event_value(dev_, EV_KEY, code) != 0) {
      held.push_back(static_cast<int>(code));
    }
  }
  return held;
}

ReadStatus LibevdevDevice::readEvent(InputEvent& event) {
  for (;;) {
    // Checked before every read, so a device that never goes quiet still stops.
    if (cancelled_.load()) return ReadStatus::Cancelled;
    const int rc = nextEvent(event);
    if (rc == LIBEVDEV_READ_STATUS_SUCCESS) return ReadStatus::Event;
    if (rc == -ENODEV) return ReadStatus::Vanished;
    if (rc != -EAGAIN) {
      lastError_ = -rc;
      return ReadStatus::Failed;
    }
    const ReadStatus waited = waitReadable();
    if (waited != ReadStatus::Event) return waited;
  }
}

int LibevdevDevice::nextEvent(InputEvent& event) {
  struct input_event raw {};
  if (syncing_) {
    // Replays the state changes lost in a dropped stretch, ending with a SYN_REPORT.
    const int rc = libevdev_next_event(dev_, LIBEVDEV_READ_FLAG_SYNC, &raw);
    if (rc == LIBEVDEV_READ_STATUS_SYNC) {
      event = Converted(raw);
      return LIBEVDEV_READ_STATUS_SUCCESS;
    }
    syncing_ = false;
    if (rc != -EAGAIN) return rc;
  }
  int rc = libevdev_next_event(dev_, LIBEVDEV_READ_FLAG_NORMAL, &raw);
  if (rc == LIBEVDEV_READ_STATUS_SYNC) {
    // raw is the SYN_DROPPED itself; nobody downstream wants it.
    syncing_ = true;
    return nextEvent(event);
  }
  if (rc == LIBEVDEV_READ_STATUS_SUCCESS) event = Converted(raw);
  return rc;
}

// Event here means "the device has something to read".
ReadStatus LibevdevDevice::waitReadable() {
  struct pollfd fds[2] = {{fd_, POLLIN, 0}, {cancelFd_, POLLIN, 0}};
  for (;;) {
    const int n = poll(fds, 2, -1);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      lastError_ = errno;
      return ReadStatus::Failed;
    }
    break;
  }
  if (fds[1].revents != 0 || cancelled_.load()) return ReadStatus::Cancelled;
  if ((fds[0].revents & POLLIN) != 0) return ReadStatus::Event;
  // Hang-up or error without data: the node has been removed.
  if ((fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) return ReadStatus::Vanished;
  return ReadStatus::Event;
}

void LibevdevDevice::cancelRead() {
  cancelled_ = true;
  const std::uint64_t one = 1;
  // The eventfd stays readable (nobody reads it back), so the cancel sticks.
  [[maybe_unused]] const ssize_t written = write(cancelFd_, &one, sizeof one);
}
