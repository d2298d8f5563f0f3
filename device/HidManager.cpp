#include "device/HidManager.h"

#include <hidapi.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cwchar>
#include <system_error>

namespace {

constexpr unsigned short kVendorUsagePage = 0xFF01;
constexpr unsigned short kVendorUsage = 1;
constexpr int kStreamInterface = 3;
constexpr std::uint32_t kFeatureWaitMs = 16;
constexpr std::uint32_t kReportRetryMs = 10;
constexpr std::uint32_t kData64RetryMs = 32;

std::u16string FromWide(const wchar_t* text) {
  std::u16string out;
  for (; text != nullptr && *text != L'\0'; ++text) {
    const auto c = static_cast<char32_t>(*text);
    if (c < 0x10000) {
      out.push_back(static_cast<char16_t>(c));
    } else {
      out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    }
  }
  return out;
}

// hidraw answers ENODEV once the keyboard is unplugged, and hidapi ends its
// error text with the system's text for it (as strerror gives it, widened).
const std::wstring& DeviceGoneText() {
  static const std::wstring text = [] {
    const std::string narrow = std::generic_category().message(ENODEV);
    std::wstring wide(narrow.size(), L'\0');
    const std::size_t n = std::mbstowcs(wide.data(), narrow.c_str(), wide.size());
    wide.resize(n == static_cast<std::size_t>(-1) ? 0 : n);
    return wide;
  }();
  return text;
}

bool SaysDeviceGone(const wchar_t* text) {
  const std::wstring_view said = text != nullptr ? text : L"";
  const std::wstring& gone = DeviceGoneText();
  return !gone.empty() && said.size() >= gone.size() && said.substr(said.size() - gone.size()) == gone;
}

}  // namespace

struct HidManager::Entry {
  HidEntryInfo info;
  hid_device* handle = nullptr;
  ~Entry() {
    if (handle != nullptr) hid_close(handle);
  }
};

HidManager& HidManager::instance() {
  static HidManager manager(SteadyClock::Instance());
  return manager;
}

HidManager::HidManager(Clock& clock) : clock_(clock) { hid_init(); }

HidManager::~HidManager() {
  closeAll();
  hid_exit();
}

void HidManager::addSupportedDevice(const SupportedDevice& device) {
  std::lock_guard lock(lock_);
  supported_.push_back(device);
}

void HidManager::closeAll() {
  std::lock_guard lock(lock_);
  open_ = false;
  gone_ = false;
  entries_.clear();
  // The cached choice points into the entries just closed.
  activeHandle_ = nullptr;
  if (secondaryHandle_ != nullptr) hid_close(secondaryHandle_);
  secondaryHandle_ = nullptr;
}

// Enumerating and opening run without the lock, on a list of their own; the
// new interfaces are installed in one step at the end.
void HidManager::scan() {
  std::vector<std::unique_ptr<Entry>> found;
  hid_device* secondary = nullptr;
  hid_device_info* devices = hid_enumerate(0, 0);
  for (hid_device_info* d = devices; d != nullptr; d = d->next) {
    // Product strings are not read, so a served row naming one never matches.
    if (!isSupported(d->vendor_id, d->product_id, u"")) continue;
    hid_device* handle = hid_open_path(d->path);
    if (handle == nullptr) continue;
    if (d->usage_page != kVendorUsagePage || d->usage != kVendorUsage) {
      hid_close(handle);
    } else if (d->interface_number == kStreamInterface) {
      if (secondary != nullptr) hid_close(secondary);
      secondary = handle;
    } else {
      auto entry = std::make_unique<Entry>();
      entry->handle = handle;
      HidEntryInfo& info = entry->info;
      info.index = static_cast<int>(found.size());
      info.vendorId = d->vendor_id;
      info.productId = d->product_id;
      info.path = d->path != nullptr ? d->path : "";
      info.releaseNumber = d->release_number;
      std::lock_guard lock(lock_);
      const auto row = std::find_if(supported_.begin(), supported_.end(), [&](const SupportedDevice& s) {
        return s.vendorId == d->vendor_id && s.productId == d->product_id;
      });
      info.deviceType = row != supported_.end() ? row->deviceType : 0;
      info.mode = row != supported_.end() ? row->mode : 0;
      info.wired = info.mode == 0;
      found.push_back(std::move(entry));
    }
  }
  hid_free_enumeration(devices);
  std::lock_guard lock(lock_);
  for (auto& entry : found) {
    entry->info.index = static_cast<int>(entries_.size());
    entries_.push_back(std::move(entry));
  }
  if (secondary != nullptr) {
    if (secondaryHandle_ != nullptr) hid_close(secondaryHandle_);
    secondaryHandle_ = secondary;
  }
}

void HidManager::setOpen(bool open) {
  std::lock_guard lock(lock_);
  open_ = open;
}

void HidManager::setCurrentDeviceType(int deviceType) {
  std::lock_guard lock(lock_);
  currentDeviceType_ = deviceType;
  activeHandle_ = nullptr;
}

bool HidManager::listEntries(std::vector<HidEntryInfo>& out) const {
  std::lock_guard lock(lock_);
  if (entries_.empty()) return false;
  for (const auto& entry : entries_) {
    if (currentDeviceType_ == 0 || entry->info.deviceType == currentDeviceType_) out.push_back(entry->info);
  }
  return true;
}

bool HidManager::isSupported(int vendorId, int productId, const std::u16string& productString) const {
  std::lock_guard lock(lock_);
  return std::any_of(supported_.begin(), supported_.end(), [&](const SupportedDevice& s) {
    return s.vendorId == vendorId && s.productId == productId &&
           (s.productName.empty() || s.productName == productString);
  });
}

int HidManager::findEntry(int vendorId, int productId, const std::u16string& productName, int mode) const {
  std::lock_guard lock(lock_);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const HidEntryInfo& e = entries_[i]->info;
    if (e.vendorId == vendorId && e.productId == productId && e.mode == mode &&
        (productName.empty() || e.productString == productName)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

hid_device* HidManager::ActiveHandleLocked() {
  if (activeHandle_ != nullptr) return activeHandle_;
  for (int mode : {0, 1, 2}) {
    for (const auto& entry : entries_) {
      if (entry->info.deviceType == currentDeviceType_ && entry->info.mode == mode) {
        activeHandle_ = entry->handle;
        return activeHandle_;
      }
    }
  }
  return nullptr;
}

int HidManager::activeEntryIndex() {
  std::lock_guard lock(lock_);
  hid_device* handle = ActiveHandleLocked();
  for (std::size_t i = 0; handle != nullptr && i < entries_.size(); ++i) {
    if (entries_[i]->handle == handle) return static_cast<int>(i);
  }
  return -1;
}

// Looks in the order 0, 2, 1, unlike the interface choice (0, 1, 2).
int HidManager::activeMode() const {
  std::lock_guard lock(lock_);
  for (int mode : {0, 2, 1}) {
    for (const auto& entry : entries_) {
      if (entry->info.deviceType == currentDeviceType_ && entry->info.mode == mode) return mode;
    }
  }
  return -1;
}

bool HidManager::hasSecondary() const {
  std::lock_guard lock(lock_);
  return secondaryHandle_ != nullptr;
}

std::u16string HidManager::lastError() const {
  std::lock_guard lock(lock_);
  return lastError_;
}

bool HidManager::deviceGone() const {
  std::lock_guard lock(lock_);
  return gone_;
}

void HidManager::RecordError(hid_device* handle) {
  const wchar_t* text = hid_error(handle);
  lastError_ = FromWide(text);
  if (SaysDeviceGone(text)) gone_ = true;
}

bool HidManager::OtherSequenceRunsLocked() const {
  return sequenceDepth_ > 0 && sequenceOwner_ != std::this_thread::get_id();
}

// The lock is let go while waiting, so the sequence's own transfers go on.
void HidManager::AwaitTurnLocked(Guard& guard) {
  sequenceEnded_.wait(guard, [this] { return !OtherSequenceRunsLocked(); });
}

void HidManager::BeginSequence() {
  Guard guard(lock_);
  AwaitTurnLocked(guard);
  sequenceOwner_ = std::this_thread::get_id();
  ++sequenceDepth_;
}

void HidManager::EndSequence() {
  {
    std::lock_guard lock(lock_);
    if (--sequenceDepth_ == 0) sequenceOwner_ = std::thread::id();
  }
  sequenceEnded_.notify_all();
}

bool HidManager::sendFeature(const Feature& report) {
  {
    std::lock_guard lock(lock_);
    if (RefusesLocked() || ActiveHandleLocked() == nullptr) return false;  // refused at once, without the wait
  }
  clock_.SleepMs(kFeatureWaitMs);
  sendFeatureNow(report);
  return false;
}

bool HidManager::sendFeatureNow(const Feature& report, WhenBusy whenBusy) {
  Guard guard(lock_);
  if (whenBusy == WhenBusy::Skip && OtherSequenceRunsLocked()) return false;
  AwaitTurnLocked(guard);
  hid_device* handle = RefusesLocked() ? nullptr : ActiveHandleLocked();
  if (handle == nullptr) return false;
  if (hid_send_feature_report(handle, report.data(), report.size()) >= 0) return true;
  RecordError(handle);
  return false;
}

int HidManager::getFeature(Feature& buffer) {
  Guard guard(lock_);
  AwaitTurnLocked(guard);
  hid_device* handle = RefusesLocked() ? nullptr : ActiveHandleLocked();
  if (handle == nullptr) return -1;
  const int read = hid_get_feature_report(handle, buffer.data(), buffer.size());
  if (read < 0) RecordError(handle);
  return read;
}

bool HidManager::WriteLocked(hid_device* handle, std::span<const std::uint8_t> bytes) {
  if (hid_write(handle, bytes.data(), bytes.size()) >= 0) return true;
  RecordError(handle);
  return false;
}

// The lock is let go during the retry wait; the interface is looked up again
// afterwards, so a rescan in between can never leave us with a closed handle.
// A keyboard that is gone gets no retry.
bool HidManager::WriteWithRetry(Target target, std::span<const std::uint8_t> bytes, std::uint32_t retryWaitMs) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (attempt > 0) clock_.SleepMs(retryWaitMs);
    Guard guard(lock_);
    AwaitTurnLocked(guard);
    hid_device* handle = RefusesLocked() ? nullptr : target == Target::Active ? ActiveHandleLocked() : secondaryHandle_;
    if (handle == nullptr) return false;
    if (WriteLocked(handle, bytes)) return true;
    if (gone_) return false;
  }
  return false;
}

bool HidManager::writeReport(const Report& report) { return WriteWithRetry(Target::Active, report, kReportRetryMs); }

bool HidManager::writeReportSecondary(const Report& report) {
  {
    std::lock_guard lock(lock_);
    if (RefusesLocked() || secondaryHandle_ == nullptr) return false;
  }
  WriteWithRetry(Target::Secondary, report, kReportRetryMs);
  return true;
}

bool HidManager::writeData64(const Data64& data) {
  Report report{};
  std::copy(data.begin(), data.end(), report.begin() + 1);
  return WriteWithRetry(Target::Active, report, kData64RetryMs);
}
