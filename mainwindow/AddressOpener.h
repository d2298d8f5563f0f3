// Opens a web address, file or program with the desktop's default handler
// (xdg-open), without waiting for it: the real one in the product, a
// recording one in the tests.
#pragma once

#include <string>

class AddressOpener {
 public:
  virtual ~AddressOpener() = default;
  /// Hands `target` (UTF-8) to the desktop; returns at once.
  virtual void Open(const std::string& target) = 0;
};

/// Runs "xdg-open <target>" on a thread of its own, which waits for it so no zombie is left.
class XdgAddressOpener : public AddressOpener {
 public:
  void Open(const std::string& target) override;
};
